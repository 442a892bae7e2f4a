#pragma once
// The parameters panel: a dock with one row per named parameter (name, slider, value, min,
// max, step, mode, remove) and a button that adds one. Moving a slider or typing a value
// changes the model at once and asks for a redraw; each drag, and each typed value, is
// handed to Record once, with the parameters as they were, so the window can undo it in one
// step. A refused name or number leaves the model as it was and the reason shows under the
// rows. The rows follow the model (ModelChanged) while the animation moves the values,
// except the editor being typed in and the slider being dragged.
#include "plot/TParameterList.h"

#include <QDockWidget>

#include <functional>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QSlider;
class QToolButton;
class TPlotModel;

class TParametersPanel : public QDockWidget
{
    Q_OBJECT

  public:
    // Slider positions from Min to Max.
    static constexpr int SliderPositions = 1000;

    TParametersPanel(TPlotModel& Model, char16_t DecimalSeparator, std::function<void()> Changed,
                     std::function<void(const TParameterList&)> Record, QWidget* Parent);
    ~TParametersPanel() override;

    // The model's parameters may have changed (values, or which there are): show them.
    void ModelChanged();
    // Adds a parameter with the first free name of a, b, ... z, p1, p2, ...
    void AddParameter();
    // The reason the last change was refused, or empty.
    QString Message() const;

  private:
    struct TRow
    {
        QLineEdit* Name = nullptr;
        QSlider* Slider = nullptr;
        QLineEdit* Value = nullptr;
        QLineEdit* Min = nullptr;
        QLineEdit* Max = nullptr;
        QLineEdit* Step = nullptr;
        QComboBox* Mode = nullptr;
        QToolButton* Remove = nullptr;
    };

    void Rebuild();
    void ShowValues(int Index);
    QString Number(Float80 Value) const;
    // The number typed into Edit, or nothing (the reason shown) when it is none.
    bool ReadNumber(QLineEdit* Edit, Float80& Value);
    void Refuse(const QString& Reason);
    // Runs a handler; an error that leaves it is shown as a refusal, never let into the
    // event loop.
    void Safely(const std::function<void()>& Action);
    void Done();

    void NameEdited(int Index);
    void ValueEdited(int Index);
    void RangeEdited(int Index, QLineEdit* Edit, Float80 TParameter::*Field);
    void ModeChosen(int Index, int Mode);
    void SliderMoved(int Index, int Position);
    void RemoveParameter(int Index);

    TPlotModel& Model;
    const char16_t Sep;
    std::function<void()> Changed;
    std::function<void(const TParameterList&)> Record;
    QGridLayout* Grid = nullptr;
    QLabel* MessageLabel = nullptr;
    std::vector<TRow> Rows;
    bool Showing = false; // the rows are being filled from the model, not by the user
};
