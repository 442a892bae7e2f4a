#include "app/TPresentationMenu.h"

#include "plot/TPlotOptionKeys.h"

#include <QAction>
#include <QMenu>

namespace
{
// In the order of PlotOptionKeys, whose keys name the actions.
constexpr std::array<const char*, 7> Captions{
    "Rou&nd Grid Steps", "&Pi Ticks", "Logarithmic &X", "Logarithmic &Y",
    "&Equal Scales",     "&Legend",   "Dar&k Plot",
};
} // namespace

TPresentationMenu::TPresentationMenu(QObject* Parent, TChange ChangeIn)
    : QObject(Parent), Change(std::move(ChangeIn))
{
    for (size_t i = 0; i < Actions.size(); ++i)
    {
        auto* Action = new QAction(QString::fromUtf8(Captions[i]), this);
        Action->setObjectName(QLatin1String(PlotOptionKeys[i].Key));
        Action->setCheckable(true);
        connect(Action, &QAction::triggered, this, &TPresentationMenu::Clicked);
        Actions[i] = Action;
    }
}

void TPresentationMenu::AddTo(QMenu& Menu) const
{
    Menu.addSeparator();
    for (QAction* Action : Actions)
        Menu.addAction(Action);
}

void TPresentationMenu::Show(const TPlotOptions& Options)
{
    Shown = Options;
    for (size_t i = 0; i < Actions.size(); ++i)
        Actions[i]->setChecked(Options.*PlotOptionKeys[i].Field);
}

TPlotOptions TPresentationMenu::Checked() const
{
    TPlotOptions Options;
    for (size_t i = 0; i < Actions.size(); ++i)
        Options.*PlotOptionKeys[i].Field = Actions[i]->isChecked();
    return Options;
}

void TPresentationMenu::Clicked()
{
    const TPlotOptions New = Checked();
    Show(Change(New) ? New : Shown);
}
