#pragma once
// The small dialogs of the shell: New Profile, About, the radio password,
// the dealer information, and the splash window. Their controls carry their
// numeric ids as the property ctrlId; every entry has a label buddy.

#include <QDialog>
#include <QString>
#include <QWidget>

class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace tavo {

// Chooses the template of a new profile from the installation's
// "profiletemplate" folder (message 296 when there is none).
class CNewProfileDlg : public QDialog {
    Q_OBJECT
public:
    explicit CNewProfileDlg(QWidget *parent = nullptr);
    // False (after message 296) when the folder has no template.
    bool HasTemplates() const;
    // Runs the dialog; the chosen template's full path, empty when cancelled.
    QString Choose();
    QListWidget *List() const { return m_pList; }
    QString SelectedPath() const;

private:
    QListWidget *m_pList;
    QString m_strFolder;
};

// The about box: product, version, copyright, trademark, legal warning.
class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDialog(const QString &productVersion, QWidget *parent = nullptr);
};

// Asks for the radio's codeplug password; a wrong entry shows 279. The
// caller asks again while the passwords differ.
class CAskPwdDlg : public QDialog {
    Q_OBJECT
public:
    CAskPwdDlg(const QString &radioPassword, QString &remembered, QWidget *parent = nullptr);
    QLineEdit *Entry() const { return m_pEntry; }
    void accept() override;

private:
    QLineEdit *m_pEntry;
    QString m_strRadioPassword;
    QString &m_strRemembered;
};

// The three dealer texts of the current language; OK writes them.
class CDealerInfoDialog : public QDialog {
    Q_OBJECT
public:
    explicit CDealerInfoDialog(QWidget *parent = nullptr);
    void SetTexts(const QString &left, const QString &middle, const QString &right);
    QPlainTextEdit *Edit(int ctrlId) const;
    void accept() override;

private:
    QPlainTextEdit *m_pLeft, *m_pMiddle, *m_pRight;
};

// The Dealer Info command: reads the texts (264, 373, 375, 263 on failure)
// and runs the dialog. Returns the dialog's result, or -1 when it was not
// shown.
int RunDealerInfoCommand(QWidget *parent);

// The splash window: the product artwork, centred, on top; it closes
// itself after `ms` milliseconds. While it is shown the application
// discards key presses and mouse clicks.
class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    explicit CSplashWindow(int ms);
    ~CSplashWindow() override;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace tavo
