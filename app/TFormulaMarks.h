#pragma once
// The marks a formula editor shows over its text: the bracket beside the cursor and its partner
// (a box behind each, red for a bracket without partner) and the place where reading stopped (a
// red wave under it). A transparent layer over the editor draws them where the editor draws
// those characters, measured from the cursor, so laying marks never lays the editor's text out
// again: a key costs the same with marks and without, in a formula of any length.
#include <QPointer>
#include <QWidget>

class QLineEdit;

class TFormulaMarks : public QWidget
{
    Q_OBJECT

  public:
    explicit TFormulaMarks(QLineEdit* Editor);

    struct TMarks
    {
        // Places in the editor's own text; -1 for none. An empty wave (From = To) marks the end.
        qsizetype WaveFrom = -1, WaveTo = -1;
        qsizetype Bracket = -1, Partner = -1;
        bool Unmatched = false;
        bool operator==(const TMarks&) const = default;
    };
    void SetMarks(const TMarks& Marks);
    const TMarks& Marks() const { return FMarks; }

  protected:
    void paintEvent(QPaintEvent* Event) override;

  private:
    // Where the editor draws the left edge of the character at Place, or nothing when it lies
    // too far from the cursor to be in view.
    std::optional<qreal> Left(qsizetype Place) const;

    QPointer<QLineEdit> Editor;
    TMarks FMarks;
};
