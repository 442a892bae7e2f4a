#pragma once
// The About box: the program's picture, its name and version, and two links (web site and
// support mail) that open through the desktop's handlers.
#include <QDialog>
#include <QUrl>

#include <functional>

class QLabel;
class QPainter;
class QPushButton;

class TAboutBox : public QDialog
{
    Q_OBJECT

  public:
    static constexpr const char* WebAddress = "https://vendrel.example.org";
    static constexpr const char* SupportAddress = "support@vendrel.example.org";

    explicit TAboutBox(QWidget* Parent = nullptr);

    // Replaces QDesktopServices::openUrl, so tests can see what a link would open.
    void SetUrlOpener(std::function<bool(const QUrl&)> Opener) { UrlOpener = std::move(Opener); }

    void Link1Click();
    void Link2Click();

    // The program's picture: a small plot of two curves over a grid with axes, drawn to fill
    // the painter's Width x Height. Also used to make the desktop icon.
    static void DrawProgramIcon(QPainter& Painter, int Width, int Height);

  protected:
    bool eventFilter(QObject* Watched, QEvent* Event) override;

  private:
    void FormCreate();
    QLabel* MakeLink(const char* Name, const QString& Text);

    std::function<bool(const QUrl&)> UrlOpener;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Comments = nullptr;
    QLabel* Link1 = nullptr;
    QLabel* Link2 = nullptr;
    QPushButton* OkBtn = nullptr;
};
