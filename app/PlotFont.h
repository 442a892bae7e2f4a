#pragma once
// The font of the main window and so of the plot's tick numbers: the application's
// sans-serif face at 8 points. --render uses the same, so it draws what the screen shows.
#include <QFont>
#include <QGuiApplication>

inline QFont PlotFont()
{
    QFont Font = QGuiApplication::font();
    Font.setPointSize(8);
    return Font;
}
