#pragma once
// An undo record of the named parameters as they were before a drag of a slider or a typed
// value: restoring puts them back into the model whole.
#include "app/TUndoObject.h"
#include "plot/TPlotModel.h"

class TParameterUndo : public TUndoObject
{
  public:
    TParameterUndo(TPlotModel& Model, const TParameterList& Before) : Model(Model), Before(Before) {}

    void Restore() const override { Model.Parameters = Before; }

  private:
    TPlotModel& Model;
    TParameterList Before;
};
