#pragma once
// The presentation options as checkable entries of the View menu: round grid steps, pi ticks,
// logarithmic x and y, equal scales, the legend and the dark plot. Each entry's accelerator
// letter is one that no other entry of the View menu uses. A click hands the options as they
// would become to the window, which takes or refuses them; the checks then show the options
// in force.
#include "plot/TPlotOptions.h"

#include <QObject>

#include <array>
#include <functional>

class QAction;
class QMenu;

class TPresentationMenu : public QObject
{
    Q_OBJECT

  public:
    // Change applies New and returns whether it was taken.
    using TChange = std::function<bool(const TPlotOptions& New)>;

    TPresentationMenu(QObject* Parent, TChange Change);

    // Adds the entries to Menu, in one block.
    void AddTo(QMenu& Menu) const;
    // The checks show Options.
    void Show(const TPlotOptions& Options);
    // What the checks show.
    TPlotOptions Checked() const;

  private:
    void Clicked();

    TChange Change;
    TPlotOptions Shown;
    std::array<QAction*, 7> Actions{};
};
