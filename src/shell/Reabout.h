#pragma once

#include <QDialog>
#include <QString>

class QFrame;
class QLabel;
class QPushButton;
class TURLLabel;

// Where the project is found; the About box links to both.
namespace projectlinks {

inline const QString kHomePage = QStringLiteral("https://brenmoor.example.org/scrivlet");
inline const QString kMailAddress = QStringLiteral("scrivlet@brenmoor.example.org");

} // namespace projectlinks

// The About box: the program's name and version, links to the project's
// web page and mail address, and two figures about the machine's memory.
// It opens centred over its parent's window.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

    QLabel *ProgramIcon = nullptr;
    QLabel *Label5 = nullptr;
    QLabel *Label1 = nullptr;
    QFrame *Bevel2 = nullptr;
    QLabel *StaticText1 = nullptr;
    TURLLabel *URLLabel1 = nullptr;
    QLabel *StaticText2 = nullptr;
    TURLLabel *URLLabel2 = nullptr;
    QLabel *Label2 = nullptr;
    QFrame *Bevel1 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *PhysMem = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *FreeRes = nullptr;
    QPushButton *OKButton = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void createControls();
    QWidget *createHeader();
    QFrame *createLinks();
    QLayout *createMemoryRows();
    TURLLabel *createLink(const QString &caption, const QString &url);
    void FormCreate();
    void FormShow();
    void SetFormPosition();
};
