#include "app/TStatusReadout.h"

#include "controls/TTraceMarker.h"
#include "controls/TWindowBox.h"

#include <QStatusBar>

TStatusReadout::TStatusReadout(TWindowBox& BoxIn, QStatusBar& BarIn, const TPlotModel& Model,
                               TGraphEvaluator& Evaluator, std::function<int()> Selected)
    : QObject(&BoxIn), Box(BoxIn), Bar(BarIn), Readout(Model, Evaluator), SelectedGraph(std::move(Selected)),
      FMarker(new TTraceMarker(BoxIn))
{
    connect(&Box, &TWindowBox::MouseMove, this,
            [this](Qt::MouseButton, Qt::KeyboardModifiers, QPoint Pos)
            {
                // A left-button drag keeps reporting outside the surface: no plot is under the mouse there.
                if (Box.rect().contains(Pos))
                    MouseAt(Pos);
                else
                    MouseLeft();
            });
    connect(&Box, &TWindowBox::MouseLeave, this, &TStatusReadout::MouseLeft);
    connect(&Box, &TWindowBox::PictureRendered, this, &TStatusReadout::Refresh);
}

void TStatusReadout::MouseAt(QPoint Pos)
{
    Mouse = Pos;
    Refresh();
}

void TStatusReadout::MouseLeft()
{
    Mouse.reset();
    Bar.clearMessage();
    FMarker->SetPosition(std::nullopt);
    FMarker->SetTangent(std::nullopt);
}

void TStatusReadout::Refresh()
{
    if (!Mouse)
        return;
    const TReadout r = Readout.At(*Mouse, Box.width(), Box.height(), SelectedGraph());
    Bar.showMessage(r.Text);
    FMarker->SetPosition(r.Marker);
    FMarker->SetTangent(ShowTangent ? r.Tangent : std::nullopt);
}

void TStatusReadout::SetShowTangent(bool Show)
{
    ShowTangent = Show;
    if (!Show)
        FMarker->SetTangent(std::nullopt);
    Refresh();
}
