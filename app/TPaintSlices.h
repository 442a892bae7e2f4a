#pragma once
// The plot surface's paints, bounded in time. A paint works for at most one slice; one that
// is not done by then shows what it drew and asks, through Continue, for another paint that
// takes the drawing up where it stopped, so that user input is handled between slices
// whatever the document holds. A change of the picture's model (Restart) drops the
// unfinished picture, and the next paint starts afresh.
#include <QImage>
#include <QSize>

#include <chrono>
#include <cstdint>
#include <functional>

class QObject;
class QPainter;
class TPaintBudget;

class TPaintSlices
{
  public:
    // 100 ms: a paint of that length is not yet felt as a delay of the input that follows,
    // while every picture that takes less (any ordinary document, also animated at 4K) is
    // drawn whole in one paint, as before.
    static constexpr std::chrono::milliseconds Slice{100};

    // Continue is called when a paint stopped unfinished, from Owner's event loop once the
    // input waiting then has been handled; it is to ask for the next paint.
    TPaintSlices(QObject* Owner, std::function<void()> Continue)
        : Owner(Owner), ContinueLater(std::move(Continue))
    {
    }

    // Draws on Painter, whose device is Size big: Draw(Budget, Continue) draws the picture,
    // with a budget only where the device is an image that keeps the picture, and leaves
    // with EPaintAbandoned when the budget runs out.
    void Paint(QPainter& Painter, const QSize& Size,
               const std::function<void(const TPaintBudget* Budget, bool Continue)>& Draw);

    // The model changed: an unfinished picture is of no use any more.
    void Restart();
    // The last paint stopped before its picture was complete.
    bool Unfinished() const { return FUnfinished; }

  private:
    QObject* Owner;
    std::function<void()> ContinueLater;
    bool FUnfinished = false;
    bool Continue = false;
    uint64_t Generation = 0;
    QImage Kept; // the unfinished picture
};
