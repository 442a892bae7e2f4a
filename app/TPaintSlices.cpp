#include "app/TPaintSlices.h"

#include "plot/TPaintBudget.h"

#include <QPaintDevice>
#include <QPainter>
#include <QTimer>

void TPaintSlices::Paint(QPainter& Painter, const QSize& Size,
                         const std::function<void(const TPaintBudget*, bool)>& Draw)
{
    QPaintDevice* Device = Painter.device();
    QImage* Image = Device && Device->devType() == QInternal::Image ? static_cast<QImage*>(Device) : nullptr;
    const bool Continuing = Continue && Image && Kept.size() == Image->size() && Image->size() == Size;
    Continue = false;
    if (Continuing)
        Painter.drawImage(0, 0, Kept);
    FUnfinished = false;
    Kept = QImage();
    if (!Image)
    {
        Draw(nullptr, false); // nothing keeps a picture to continue: drawn whole
        return;
    }
    const TPaintBudget Budget(Slice);
    try
    {
        Draw(&Budget, Continuing);
    }
    catch (const EPaintAbandoned&)
    {
        FUnfinished = true;
        Kept = Image->copy();
        QTimer::singleShot(0, Owner,
                           [this, Asked = Generation]
                           {
                               if (Asked != Generation)
                                   return;
                               Continue = true;
                               ContinueLater();
                           });
    }
}

void TPaintSlices::Restart()
{
    ++Generation;
    Continue = false;
    Kept = QImage();
}
