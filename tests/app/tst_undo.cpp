// The zoom undo stack: records restore the four bound editors, newest first, and Pop
// reports whether records remain.
#include "app/TUndoMan.h"

#include <QtTest>

#include <memory>

namespace
{
struct TBounds
{
    QLineEdit Left, Top, Right, Bottom;

    void Set(const QString& L, const QString& T, const QString& R, const QString& B)
    {
        Left.setText(L);
        Top.setText(T);
        Right.setText(R);
        Bottom.setText(B);
    }
    QStringList Texts() const { return {Left.text(), Top.text(), Right.text(), Bottom.text()}; }
    std::unique_ptr<TUndoObject> Record()
    {
        return std::make_unique<TUndoObject>(&Left, &Top, &Right, &Bottom);
    }
};
} // namespace

class TestUndo : public QObject
{
    Q_OBJECT

  private slots:
    void oneRecordRestoresAndLeavesNothing();
    void twoZoomsTwoUndosGoBackToTheStart();
    void popOnEmptyStackChangesNothing();
    void editorGoneBeforeUndoIsSkipped();
};

void TestUndo::oneRecordRestoresAndLeavesNothing()
{
    TBounds B;
    B.Set(" -10 ", "1e1", "abc", ""); // kept as typed, never parsed
    TUndoMan Man;
    Man.Push(B.Record());
    B.Set("-5.000", "5.000", "5.000", "-5.000");
    QCOMPARE(Man.Pop(), false);
    QCOMPARE(B.Texts(), QStringList({" -10 ", "1e1", "abc", ""}));
    QCOMPARE(Man.Count(), 0);
}

void TestUndo::twoZoomsTwoUndosGoBackToTheStart()
{
    TBounds B;
    TUndoMan Man;
    B.Set("-10", "10", "10", "-10");
    Man.Push(B.Record());
    B.Set("-5.000", "5.000", "5.000", "-5.000");
    Man.Push(B.Record());
    B.Set("-2.500", "2.500", "2.500", "-2.500");
    // A keyboard pan after the last zoom is not recorded and is lost by the undo.
    B.Set("-2", "2.500", "3", "-2.500");

    QCOMPARE(Man.Pop(), true);
    QCOMPARE(B.Texts(), QStringList({"-5.000", "5.000", "5.000", "-5.000"}));
    QCOMPARE(Man.Pop(), false);
    QCOMPARE(B.Texts(), QStringList({"-10", "10", "10", "-10"}));
}

void TestUndo::popOnEmptyStackChangesNothing()
{
    TBounds B;
    B.Set("1", "2", "3", "4");
    TUndoMan Man;
    QCOMPARE(Man.Pop(), false);
    Man.Push(B.Record());
    Man.Pop();
    B.Set("5", "6", "7", "8");
    QCOMPARE(Man.Pop(), false);
    QCOMPARE(B.Texts(), QStringList({"5", "6", "7", "8"}));
}

void TestUndo::editorGoneBeforeUndoIsSkipped()
{
    QLineEdit Left("1"), Right("3"), Bottom("4");
    auto Top = std::make_unique<QLineEdit>("2");
    TUndoMan Man;
    Man.Push(std::make_unique<TUndoObject>(&Left, Top.get(), &Right, &Bottom));
    Left.setText("x");
    Top.reset();
    QCOMPARE(Man.Pop(), false);
    QCOMPARE(Left.text(), QString("1"));
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
