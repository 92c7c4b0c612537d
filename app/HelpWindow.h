#pragma once
// The help window of Content and Index: the help file's contents and index
// on the left, the page on the right.

#include <QWidget>
#include <memory>

class QHelpEngine;
class QTemporaryDir;
class QTextBrowser;

namespace tavo {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    ~HelpWindow() override;
    // Opens the help file on its first page; false when it is not a valid
    // help file.
    bool Open(const QString &qchPath);
    QTextBrowser *Browser() const { return m_pBrowser; }

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    QHelpEngine *m_pEngine = nullptr;
    QTextBrowser *m_pBrowser = nullptr;
};

} // namespace tavo
