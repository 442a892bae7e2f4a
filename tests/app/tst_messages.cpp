// The window's messages against their literal texts: what a user reads in a message box, in the
// analysis panel and in the status of a print.
#include "app/Errors.h"

#include <QtTest>

class TestMessages : public QObject
{
    Q_OBJECT

  private slots:
    void everyConstantHoldsItsExactText_data()
    {
        QTest::addColumn<QString>("Constant");
        QTest::addColumn<QString>("Text");
        auto Row = [](const char* Name, const char* Constant, const char* Text)
        { QTest::newRow(Name) << QString::fromLatin1(Constant) << QString::fromLatin1(Text); };
        Row("WrongRange", Msg::WrongRange,
            "You have set the wrong range! Max should be always greater than Min!");
        Row("HelpMissing", Msg::HelpMissing, "Failed to launch help.");
        Row("NoPrinters", Msg::NoPrinters, "No printers");
        Row("CannotStartPrinting", Msg::CannotStartPrinting, "Unable to start printing");
        Row("NoFormula", Msg::NoFormula, "The selected graph has no formula.");
        Row("NoSecondGraph", Msg::NoSecondGraph, "Add a second graph with a formula to intersect with.");
        Row("NothingFound", Msg::NothingFound, "Nothing found in the interval.");
    }
    void everyConstantHoldsItsExactText()
    {
        QFETCH(QString, Constant);
        QFETCH(QString, Text);
        QCOMPARE(Constant, Text);
    }
};

QTEST_MAIN(TestMessages)
#include "tst_messages.moc"
