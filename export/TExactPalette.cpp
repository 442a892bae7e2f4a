#include "export/TExactPalette.h"

#include <QHash>
#include <QImage>

QImage TExactPalette::Indexed(const QImage& Source)
{
    const QImage Image =
        Source.format() == QImage::Format_RGB32 ? Source : Source.convertToFormat(QImage::Format_RGB32);
    QImage Indexed(Image.size(), QImage::Format_Indexed8);
    if (Indexed.isNull())
        return QImage();
    QList<QRgb> Table;
    QHash<QRgb, uchar> Index;
    for (int y = 0; y < Image.height(); ++y)
    {
        const QRgb* In = reinterpret_cast<const QRgb*>(Image.constScanLine(y));
        uchar* Out = Indexed.scanLine(y);
        // Runs of one colour are the rule in a plot: look up only where the colour changes.
        QRgb Last = 0;
        uchar LastIndex = 0;
        bool HaveLast = false;
        for (int x = 0; x < Image.width(); ++x)
        {
            const QRgb c = In[x] | 0xFF000000u;
            if (!HaveLast || c != Last)
            {
                auto Found = Index.constFind(c);
                if (Found == Index.constEnd())
                {
                    if (Table.size() == 256)
                        return QImage();
                    Found = Index.insert(c, uchar(Table.size()));
                    Table.append(c);
                }
                Last = c;
                LastIndex = *Found;
                HaveLast = true;
            }
            Out[x] = LastIndex;
        }
    }
    Indexed.setColorTable(Table);
    Indexed.setDotsPerMeterX(Image.dotsPerMeterX());
    Indexed.setDotsPerMeterY(Image.dotsPerMeterY());
    return Indexed;
}
