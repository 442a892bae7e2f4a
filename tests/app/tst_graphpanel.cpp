// The Graph panel as a user drives it: Tools > Graph... shows the selected graph; a kind chosen
// and formulas entered with Enter change the picture and Undo takes them back; derived graphs
// are added for the selected graph; the analysis panel measures a closed curve.
#include "MainFormHarness.h"
#include "analysis/TDataTable.h"
#include "app/TGraphPanel.h"
#include "app/TMainForm.h"
#include "plot/Errors.h"
#include "plot/TLegend.h"
#include "tests/plot/LiftedKind.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QtTest>

class TestGraphPanel : public QObject, private TMainFormHarness
{
    Q_OBJECT

    void Enter(const char* Name, const QString& Text)
    {
        Child<QLineEdit>(Name)->setText(Text);
        QTest::keyClick(Child<QLineEdit>(Name), Qt::Key_Return);
    }
    TGraphPanel* Panel() { return Child<TGraphPanel>("GraphPanel"); }
    void Open()
    {
        Action("Graph")->trigger();
        QVERIFY(Panel() && Panel()->isVisible());
    }
    // A circle of radius 5 as graph 1, entered through the panel.
    void EnterCircle()
    {
        Enter("FuncEdit", QStringLiteral("5*Cos(s)"));
        Open();
        Child<QComboBox>("KindBox")->setCurrentIndex(int(TGraphKind::Parametric));
        Enter("SecondEdt", QStringLiteral("5*Sin(s)"));
    }

  private slots:
    void init() { QVERIFY(StartForm()); }
    void cleanup() { Form.reset(); }

    void theToolsMenuOpensThePanelOnTheSelectedGraph()
    {
        Enter("FuncEdit", QStringLiteral("x*x"));
        Open();
        QCOMPARE(Child<QLabel>("GraphLabel")->text(), QStringLiteral("Graph 1"));
        QCOMPARE(Child<QComboBox>("KindBox")->currentIndex(), int(TGraphKind::Function));
        QCOMPARE(Child<QLineEdit>("FirstEdt")->text(), QStringLiteral("x*x"));
        QVERIFY(!Child<QLineEdit>("SecondEdt")->isVisible());
    }

    void aCurveEnteredInThePanelIsDrawnAndUndoTakesItBack()
    {
        EnterCircle();
        const TFunc& g = Form->Model().FuncList.Item(0);
        QCOMPARE(g.Kind, TGraphKind::Parametric);
        QCOMPARE(g.FuncY, QStringLiteral("5*Sin(s)"));
        QVERIFY(Form->Model().GraphsEnabled);
        const QImage Circle = Form->RenderPlot();
        // The circle crosses the positive x axis at x = 5: a black pixel near (Center + 5 units).
        QVERIFY(Dialogs->Errors.isEmpty());

        QVERIFY(Action("EditUndo")->isEnabled());
        Action("EditUndo")->trigger(); // the second formula
        Action("EditUndo")->trigger(); // the kind
        QCOMPARE(Form->Model().FuncList.Item(0).Kind, TGraphKind::Function);
        QCOMPARE(Child<QComboBox>("KindBox")->currentIndex(), int(TGraphKind::Function));
        QVERIFY(Form->RenderPlot() != Circle);
    }

    void aFormulaWithTheWrongVariableIsReportedAsTheEvaluatorSaysIt()
    {
        Enter("FuncEdit", QStringLiteral("x"));
        Open();
        Child<QComboBox>("KindBox")->setCurrentIndex(int(TGraphKind::Polar));
        Form->RenderPlot();
        QCOMPARE(Dialogs->Errors.size(), 1);
        QVERIFY(Dialogs->Errors[0].startsWith(QStringLiteral("Parse error: ")));
    }

    // An end without a value draws nothing; the panel says which end and why.
    void anEndWithoutAValueIsNamedInThePanel()
    {
        EnterCircle();
        QVERIFY(Child<QLabel>("Problem")->text().isEmpty());
        Enter("FromEdt", QStringLiteral("1/0"));
        QCOMPARE(Child<QLabel>("Problem")->text(), QStringLiteral("S0: Floating point division by zero"));
        Enter("FromEdt", QStringLiteral("0"));
        Enter("ToEdt", QStringLiteral("Ln(0-1)"));
        QCOMPARE(Child<QLabel>("Problem")->text(), QStringLiteral("S1: Domain check failure in MathLib"));
        Enter("ToEdt", QStringLiteral("2*Pi"));
        QVERIFY(Child<QLabel>("Problem")->text().isEmpty());
    }

    void derivedGraphsAreAddedForTheSelectedGraph()
    {
        Enter("FuncEdit", QStringLiteral("x*x"));
        Open();
        QTest::mouseClick(Child<QPushButton>("AddDerivativeBtn"), Qt::LeftButton);
        QCOMPARE(Form->Model().FuncList.Count(), 2);
        const TFunc& d = Form->Model().FuncList.Item(1);
        QCOMPARE(d.Kind, TGraphKind::Derivative);
        QCOMPARE(d.Of, 1);
        QCOMPARE(Child<QComboBox>("ComboBox")->currentIndex(), 1);
        QCOMPARE(Child<QComboBox>("KindBox")->currentIndex(), int(TGraphKind::Derivative));
        QVERIFY(Child<QLabel>("Problem")->text().isEmpty());

        // Pointing it at itself is refused in words.
        Child<QSpinBox>("OfSpin")->setValue(2);
        QCOMPARE(Child<QLabel>("Problem")->text(),
                 QStringLiteral("Graph 2 derives from itself through a chain of derived graphs."));
    }

    void theAnalysisPanelMeasuresAClosedCurve()
    {
        EnterCircle();
        Action("Analyse")->trigger();
        auto* Table = Child<QTableWidget>("AnalysisTable");
        QTRY_VERIFY(Table->rowCount() >= 3);
        QCOMPARE(Table->item(0, 2)->text(), QStringLiteral("arc length"));
        QVERIFY(Table->item(0, 1)->text().startsWith(QStringLiteral("31.4159265358979")));
        QCOMPARE(Table->item(2, 2)->text(), QStringLiteral("area"));
        QVERIFY(Table->item(2, 1)->text().startsWith(QStringLiteral("78.539816339744")));
    }

    // The relation kind: offered with its one editor, a combination without parentheses
    // hinted at under it, drawn, and refused by the Analyse panel in a sentence.
    void aRelationIsOfferedHintedDrawnAndNotAnalysed()
    {
        Enter("FuncEdit", QStringLiteral("x*x+y*y <= 25"));
        Open();
        auto* Box = Child<QComboBox>("KindBox");
        const int At = Box->findText(QStringLiteral("Relation in x and y"));
        QVERIFY(At >= 0);
        Box->setCurrentIndex(At);
        QCOMPARE(Form->Model().FuncList.Item(0).Kind, TGraphKind::Relation);
        QVERIFY(!Child<QLineEdit>("SecondEdt")->isVisible());
        QVERIFY(Child<QLabel>("Problem")->text().isEmpty());
        Form->Model().FuncList.Item(0).BGColor = 0xFF0000;
        const QImage Disc = Form->RenderPlot();
        QVERIFY(Dialogs->Errors.isEmpty());
        int Blue = 0;
        for (int y = 0; y < Disc.height(); ++y)
            for (int x = 0; x < Disc.width(); ++x)
                Blue += Disc.pixel(x, y) == qRgb(0, 0, 255);
        QVERIFY2(Blue > 1000, qPrintable(QString::number(Blue)));

        Enter("FirstEdt", QStringLiteral("x*x+y*y <= 25 and y >= 0"));
        QCOMPARE(Child<QLabel>("Problem")->text().toStdString(), std::string(Msg::RelationNeedsParentheses));
        Enter("FirstEdt", QStringLiteral("(x*x+y*y <= 25) and (y >= 0)"));
        QVERIFY(Child<QLabel>("Problem")->text().isEmpty());

        Action("Analyse")->trigger();
        QTRY_COMPARE(Child<QLabel>("AnalysisStatus")->text().toStdString(),
                     std::string(Msg::RelationAnalysis));
    }

    // A kind the program does not know, registered by the test alone, is offered in the kind
    // list with the editors and captions it names, and applied as any kind.
    void aKindRegisteredByItsOwnFileIsOfferedWithItsEditors()
    {
        const TGraphKind Lifted = LiftedKind();
        Enter("FuncEdit", QStringLiteral("Sin(x)"));
        Open();
        auto* Box = Child<QComboBox>("KindBox");
        const int At = Box->findText(QStringLiteral("Lifted y = f(x) + L"));
        QVERIFY(At >= 0);
        Box->setCurrentIndex(At);
        QCOMPARE(Form->Model().FuncList.Item(0).Kind, Lifted);
        QVERIFY(Child<QLineEdit>("FromEdt")->isVisible());
        QVERIFY(!Child<QLineEdit>("SecondEdt")->isVisible());
        QVERIFY(!Child<QLineEdit>("ToEdt")->isVisible());
        QStringList Captions;
        for (QLabel* Label : Panel()->findChildren<QLabel*>())
            if (Label->isVisible())
                Captions << Label->text();
        QVERIFY2(Captions.contains(QStringLiteral("f(x):")) && Captions.contains(QStringLiteral("L:")),
                 qPrintable(Captions.join(QLatin1Char('|'))));
        Enter("FromEdt", QStringLiteral("2"));
        QCOMPARE(Form->Model().FuncList.Item(0).FromText, QStringLiteral("2"));
        Action("EditUndo")->trigger();
        QCOMPARE(Form->Model().FuncList.Item(0).FromText, QStringLiteral("0"));
    }

    // A points graph shows its name (no formula: never marked as one), its marker and whether it
    // is joined; each is applied as any edit, one undo step.
    void aPointsGraphEditsItsMarkerAndJoin()
    {
        TFunc Points(QStringLiteral("signal"));
        Points.Kind = GraphKindFromName(QStringLiteral("points"));
        Points.Data = std::make_shared<const TDataTable>(std::vector<TDataPoint>{{1, 2}, {3, 4}},
                                                         std::vector<uint32_t>{1, 2});
        Form->Model().FuncList.Assign({Points});
        Open();
        auto* Marker = Child<QComboBox>("MarkerBox");
        QVERIFY(Marker->isVisible() && Child<QCheckBox>("JoinedBox")->isVisible());
        QCOMPARE(Marker->count(), 5);
        QCOMPARE(Marker->currentText(), QStringLiteral("dot"));
        Marker->setCurrentIndex(Marker->findText(QStringLiteral("circle")));
        Child<QCheckBox>("JoinedBox")->setChecked(true);
        const TFunc& g = Form->Model().FuncList.Item(0);
        QVERIFY(g.Joined);
        QCOMPARE(g.Func, QStringLiteral("signal"));
        QCOMPARE(TLegend::Label(g), TLegend::Label(Points));
        Action("EditUndo")->trigger();
        QVERIFY(!Form->Model().FuncList.Item(0).Joined);
        Action("EditUndo")->trigger();
        QCOMPARE(Form->Model().FuncList.Item(0).Marker, Points.Marker);
        QTest::qWait(400); // the editors' check has run
        QVERIFY(Child<QLineEdit>("FirstEdt")->toolTip().isEmpty());
    }
};

QTEST_MAIN(TestGraphPanel)
#include "tst_graphpanel.moc"
