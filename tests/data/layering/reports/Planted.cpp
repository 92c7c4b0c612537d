// Planted faults: report generation with a widget and a message box.
#include <QWidget>

void Planted()
{
    QMessageBox::warning(nullptr, {}, {});
}
