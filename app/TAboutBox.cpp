#include "app/TAboutBox.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPushButton>

#include <cmath>
#include <numbers>

#ifndef VENDREL_VERSION
#error "VENDREL_VERSION must be defined by the build"
#endif

namespace
{
constexpr int IconWidth = 400;
constexpr int IconHeight = 300;
} // namespace

TAboutBox::TAboutBox(QWidget* Parent)
    : QDialog(Parent), UrlOpener([](const QUrl& Url) { return QDesktopServices::openUrl(Url); })
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Vendrel"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);

    QPixmap Picture(IconWidth, IconHeight);
    Picture.fill(Qt::white);
    {
        QPainter Painter(&Picture);
        DrawProgramIcon(Painter, IconWidth, IconHeight);
    }
    ProgramIcon = new QLabel(this);
    ProgramIcon->setObjectName(QStringLiteral("ProgramIcon"));
    ProgramIcon->setPixmap(Picture);
    ProgramIcon->setFixedSize(IconWidth, IconHeight);

    ProductName = new QLabel(QStringLiteral("Vendrel Version "), this);
    ProductName->setObjectName(QStringLiteral("ProductName"));
    Comments = new QLabel(QStringLiteral("Plots formulas in x and time t."), this);
    Comments->setObjectName(QStringLiteral("Comments"));
    Link1 = MakeLink("Link1", QString::fromLatin1(WebAddress));
    Link2 = MakeLink("Link2", QString::fromLatin1(SupportAddress));
    OkBtn = new QPushButton(QStringLiteral("OK"), this);
    OkBtn->setObjectName(QStringLiteral("OkBtn"));
    OkBtn->setDefault(true);
    connect(OkBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* Layout = new QGridLayout(this);
    Layout->addWidget(ProgramIcon, 0, 0, 6, 1);
    Layout->addWidget(ProductName, 0, 1);
    Layout->addWidget(Comments, 1, 1);
    Layout->addWidget(Link1, 2, 1);
    Layout->addWidget(Link2, 3, 1);
    Layout->setRowStretch(4, 1);
    Layout->addWidget(OkBtn, 5, 1, Qt::AlignRight | Qt::AlignBottom);
    Layout->setSizeConstraint(QLayout::SetFixedSize);

    FormCreate();
}

void TAboutBox::FormCreate()
{
    // The version is the build's own, compiled in.
    ProductName->setText(ProductName->text() + QStringLiteral(VENDREL_VERSION));
}

QLabel* TAboutBox::MakeLink(const char* Name, const QString& Text)
{
    auto* Link = new QLabel(Text, this);
    Link->setObjectName(QString::fromLatin1(Name));
    QFont Font = Link->font();
    Font.setUnderline(true);
    Link->setFont(Font);
    QPalette Palette = Link->palette();
    Palette.setColor(QPalette::WindowText, Qt::blue);
    Link->setPalette(Palette);
    Link->setCursor(Qt::PointingHandCursor);
    Link->installEventFilter(this);
    return Link;
}

bool TAboutBox::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(Event)->button() == Qt::LeftButton)
    {
        if (Watched == Link1)
        {
            Link1Click();
            return true;
        }
        if (Watched == Link2)
        {
            Link2Click();
            return true;
        }
    }
    return QDialog::eventFilter(Watched, Event);
}

void TAboutBox::Link1Click()
{
    UrlOpener(QUrl(QString::fromLatin1(WebAddress)));
}

void TAboutBox::Link2Click()
{
    UrlOpener(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(SupportAddress)));
}

void TAboutBox::DrawProgramIcon(QPainter& Painter, int Width, int Height)
{
    Painter.save();
    Painter.setRenderHint(QPainter::Antialiasing, true);
    Painter.fillRect(0, 0, Width, Height, QColor(0xFF, 0xFF, 0xFF));
    const double Margin = std::min(Width, Height) * 0.06;
    const QRectF Plot(Margin, Margin, Width - 2 * Margin, Height - 2 * Margin);

    // Grid of ten divisions each way.
    Painter.setPen(QPen(QColor(0xC8, 0xC8, 0xC8), std::max(1.0, Width / 200.0)));
    for (int i = 0; i <= 10; ++i)
    {
        const double x = Plot.left() + Plot.width() * i / 10.0;
        const double y = Plot.top() + Plot.height() * i / 10.0;
        Painter.drawLine(QPointF(x, Plot.top()), QPointF(x, Plot.bottom()));
        Painter.drawLine(QPointF(Plot.left(), y), QPointF(Plot.right(), y));
    }

    // Axes through the centre.
    Painter.setPen(QPen(Qt::black, std::max(1.5, Width / 120.0)));
    Painter.drawLine(QPointF(Plot.left(), Plot.center().y()), QPointF(Plot.right(), Plot.center().y()));
    Painter.drawLine(QPointF(Plot.center().x(), Plot.top()), QPointF(Plot.center().x(), Plot.bottom()));

    // A filled sine and a dashed damped wave.
    auto Curve = [&](auto f)
    {
        QPainterPath Path;
        const int Steps = 200;
        for (int i = 0; i <= Steps; ++i)
        {
            const double u = static_cast<double>(i) / Steps;
            const QPointF Point(Plot.left() + u * Plot.width(),
                                Plot.center().y() - f(u) * Plot.height() * 0.4);
            if (i == 0)
                Path.moveTo(Point);
            else
                Path.lineTo(Point);
        }
        return Path;
    };
    const QPainterPath Sine = Curve([](double u) { return std::sin(u * 4 * std::numbers::pi); });
    QPainterPath Fill = Sine;
    Fill.lineTo(Plot.right(), Plot.center().y());
    Fill.lineTo(Plot.left(), Plot.center().y());
    Fill.closeSubpath();
    Painter.fillPath(Fill, QColor(0xB0, 0xD0, 0xFF, 0xA0));
    Painter.setPen(QPen(QColor(0x10, 0x40, 0xC0), std::max(2.0, Width / 60.0), Qt::SolidLine, Qt::RoundCap));
    Painter.drawPath(Sine);
    Painter.setPen(QPen(QColor(0xD0, 0x20, 0x20), std::max(2.0, Width / 80.0), Qt::DashLine, Qt::RoundCap));
    Painter.drawPath(
        Curve([](double u) { return std::exp(-2 * u) * std::cos(u * 10 * std::numbers::pi) * 0.9; }));
    Painter.restore();
}
