// The private-profile file: reading rules, in-place updates, encodings, atomic saving.
#include "PlotTestSupport.h"

#include "plot/TProfileFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace
{
class ProfileFile : public PlotTest::TTempFileTest
{
};

} // namespace

TEST_F(ProfileFile, TextValuesFollowTheReadingRules)
{
    Put("; comment K1=no\r\n"
        "K0=outside any section\r\n"
        "[Other]\r\nK1=other section\r\n"
        "  [ mAiN ]  \r\n"
        "K1 =   padded  \r\n"
        "K2=\"  quoted  \"\r\n"
        "K3='single'\r\n"
        "K4=\"unmatched\r\n"
        "K5=a=b\r\n"
        "K6=first\r\nk6=second\r\n"
        ";K7=commented\r\n"
        "\tK8\t=\ttabs\t\r\n"
        "K9=\r\n"
        "K10=\"\"\r\n"
        "=nameless\r\n"
        "K12=first\r\nBetween=1\r\nk12=second\r\nK12=third\r\n"
        "[Main]\r\nK11=second section of the name\r\n");
    const TProfileFile File(Path);
    struct Row
    {
        const char* Name;
        const char* Key;
        const char* Expected;
    };
    const Row Rows[] = {
        {"blanks around the value are removed", "K1", "padded"},
        {"one pair of double quotes is removed", "K2", "  quoted  "},
        {"one pair of single quotes is removed", "K3", "single"},
        {"a lone quote stays", "K4", "\"unmatched"},
        {"the value starts after the first equals sign", "K5", "a=b"},
        {"the first of duplicate keys wins, case-insensitively", "K6", "first"},
        {"key names match without case", "k1", "padded"},
        {"a commented key is missing", "K7", "<default>"},
        {"tabs around names and values are blanks", "K8", "tabs"},
        {"an empty value reads empty", "K9", ""},
        {"empty quotes read empty", "K10", ""},
        {"a key before any section is missing", "K0", "<default>"},
        {"only the first section of a name is read", "K11", "<default>"},
        {"the first of scattered duplicates wins", "k12", "first"},
    };
    for (const Row& r : Rows)
        EXPECT_EQ(
            File.ReadString(QStringLiteral("MAIN"), QString::fromUtf8(r.Key), QStringLiteral("<default>")),
            QString::fromUtf8(r.Expected))
            << r.Name;
    EXPECT_EQ(File.ReadString(QStringLiteral(" Other "), QStringLiteral("K1"), QString()), "other section");
}

TEST_F(ProfileFile, IntegersAreDecimalOrHexAndWrapToThirtyTwoBits)
{
    struct Row
    {
        const char* Value;
        int32_t Expected;
    };
    const Row Rows[] = {
        {"0x0000FF", 255},
        {"0XfF", 255},
        {"$ff", 255},
        {"-12", -12},
        {"+7", 7},
        {" 42 ", 42},
        {"'42'", 42},
        {"16777215", 16777215},
        {"0xFFFFFFFF", -1},
        {"4294967295", -1},
        {"2147483648", INT32_MIN},
        {"99999999999", 1215752191},
        {"-2147483648", INT32_MIN},
        // not numbers: the default
        {"word", -99},
        {"", -99},
        {"12abc", -99},
        {"0x", -99},
        {"$", -99},
        {"-", -99},
        {"-0x10", -99},
        {"- 5", -99},
        {"1 2", -99},
        {"0xG1", -99},
        {"1.5", -99},
    };
    QByteArray Content("[Main]\n");
    for (size_t i = 0; i < std::size(Rows); ++i)
        Content += "N" + QByteArray::number(qulonglong(i)) + "=" + Rows[i].Value + "\n";
    Put(Content);
    const TProfileFile File(Path);
    for (size_t i = 0; i < std::size(Rows); ++i)
        EXPECT_EQ(File.ReadInteger(QStringLiteral("Main"), QStringLiteral("N%1").arg(i), -99),
                  Rows[i].Expected)
            << "value '" << Rows[i].Value << "'";
    EXPECT_EQ(File.ReadInteger(QStringLiteral("Main"), QStringLiteral("Missing"), 5), 5);
}

TEST_F(ProfileFile, AMissingFileReadsEmptyAndIsCreatedAsUtf8WithCrLf)
{
    TProfileFile File(Path);
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("K"), QStringLiteral("d")), "d");
    File.WriteString(QStringLiteral("Main"), QStringLiteral("A"), QStringLiteral("é"));
    File.WriteInteger(QStringLiteral("Main"), QStringLiteral("B"), -3);
    File.WriteString(QStringLiteral("Second"), QStringLiteral("C"), QStringLiteral("π"));
    File.WriteString(QStringLiteral("Main"), QStringLiteral("a"),
                     QStringLiteral("again")); // written as given
    File.Save();
    EXPECT_EQ(Bytes(), QByteArray("[Main]\r\na=again\r\nB=-3\r\n[Second]\r\nC=\xCF\x80\r\n"));
}

TEST_F(ProfileFile, UpdatesInPlaceAndKeepsEveryOtherLineByteForByte)
{
    Put("; first comment\n"
        "[Other]\r\nFunc1=keep me\r\n"
        "\n"
        "[Main]\n"
        "Unknown = stays  \n"
        "FUNC1=old\n"
        "; inside\n"
        "Color1=7\n"
        "\n"
        "[Tail]\rX=1");
    TProfileFile File(Path);
    File.WriteString(QStringLiteral("main"), QStringLiteral("Func1"), QStringLiteral("new"));
    File.WriteString(QStringLiteral("Main"), QStringLiteral("Func2"), QStringLiteral("added"));
    File.WriteInteger(QStringLiteral("Main"), QStringLiteral("Color1"), 255);
    File.WriteString(QStringLiteral("Tail"), QStringLiteral("Y"), QStringLiteral("2"));
    File.WriteString(QStringLiteral("New"), QStringLiteral("Z"), QStringLiteral("3"));
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("func1"), QString()), "new");
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("Func2"), QString()), "added");
    File.Save();
    // Existing keys are written as given where they stood; the new key follows the section's last
    // key line; a key after an unterminated last line gets the file's line end first.
    EXPECT_EQ(Bytes(), QByteArray("; first comment\n"
                                  "[Other]\r\nFunc1=keep me\r\n"
                                  "\n"
                                  "[Main]\n"
                                  "Unknown = stays  \n"
                                  "Func1=new\n"
                                  "; inside\n"
                                  "Color1=255\n"
                                  "Func2=added\n"
                                  "\n"
                                  "[Tail]\rX=1\n"
                                  "Y=2\n"
                                  "[New]\n"
                                  "Z=3\n"));
    // The object goes on from what it saved.
    File.WriteString(QStringLiteral("Main"), QStringLiteral("Func2"), QStringLiteral("again"));
    File.Save();
    EXPECT_EQ(TProfileFile(Path).ReadString(QStringLiteral("Main"), QStringLiteral("Func2"), QString()),
              "again");
}

TEST_F(ProfileFile, OnlyTheFirstOfDuplicateKeysIsUpdated)
{
    Put("[Main]\nA=1\nB=x\na=2\nA=3\n[main]\nA=4\n");
    TProfileFile File(Path);
    File.WriteString(QStringLiteral("MAIN"), QStringLiteral("A"), QStringLiteral("new"));
    File.Save();
    EXPECT_EQ(Bytes(), QByteArray("[Main]\nA=new\nB=x\na=2\nA=3\n[main]\nA=4\n"));
}

TEST_F(ProfileFile, KeysOfASectionWithoutKeysFollowItsHeader)
{
    Put("[Main]\r\n; only a comment\r\n[Next]\r\nA=1\r\n");
    TProfileFile File(Path);
    File.WriteString(QStringLiteral("Main"), QStringLiteral("K"), QStringLiteral("v"));
    File.Save();
    EXPECT_EQ(Bytes(), QByteArray("[Main]\r\nK=v\r\n; only a comment\r\n[Next]\r\nA=1\r\n"));

    Put("[Main]");
    TProfileFile Bare(Path);
    Bare.WriteString(QStringLiteral("Main"), QStringLiteral("K"), QStringLiteral("v"));
    Bare.Save();
    EXPECT_EQ(Bytes(), QByteArray("[Main]\r\nK=v\r\n"));
}

TEST_F(ProfileFile, ValuesThatReadingWouldAlterAreQuoted)
{
    const QString Values[] = {QStringLiteral("  padded  "), QStringLiteral("\"quoted\""),
                              QStringLiteral("'x'"), QStringLiteral("\t"),
                              QStringLiteral("plain \"inner\" quotes")};
    {
        TProfileFile File(Path);
        for (size_t i = 0; i < std::size(Values); ++i)
            File.WriteString(QStringLiteral("Main"), QStringLiteral("V%1").arg(i), Values[i]);
        File.WriteString(QStringLiteral("Main"), QStringLiteral("Break"), QStringLiteral("a\r\nb\nc"));
        File.Save();
    }
    const TProfileFile File(Path);
    for (size_t i = 0; i < std::size(Values); ++i)
        EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("V%1").arg(i), QString()),
                  Values[i]);
    // A line break would split the line: it becomes a blank, which a formula ignores too.
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("Break"), QString()), "a  b c");
    EXPECT_TRUE(Bytes().contains("V4=plain \"inner\" quotes\r\n"));
}

TEST_F(ProfileFile, TextValuesAreCutAt2047UnitsUnlessAskedWhole)
{
    const QString Long(3000, u'x');
    Put("[Main]\r\nK=" + Long.toLatin1() + "\r\n");
    const TProfileFile File(Path);
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("K"), QString()), Long.left(2047));
    EXPECT_EQ(
        File.ReadString(QStringLiteral("Main"), QStringLiteral("K"), QString(), TProfileFile::Unlimited),
        Long);
}

TEST_F(ProfileFile, Utf16FilesStayUtf16WithTheirByteOrderMark)
{
    for (bool Le : {true, false})
    {
        const QString Before = QStringLiteral("[Main]\r\nFunc1=Sin(x)·π\r\n; ü\r\n");
        Put(PlotTest::Utf16(Before, !Le));
        TProfileFile File(Path);
        EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("Func1"), QString()), "Sin(x)·π");
        File.WriteString(QStringLiteral("Main"), QStringLiteral("Func1"), QStringLiteral("Cos(x)→"));
        File.WriteString(QStringLiteral("Main"), QStringLiteral("Color1"), QStringLiteral("255"));
        File.Save();
        EXPECT_EQ(Bytes(),
                  PlotTest::Utf16(QStringLiteral("[Main]\r\nFunc1=Cos(x)→\r\nColor1=255\r\n; ü\r\n"), !Le))
            << (Le ? "little endian" : "big endian");
    }
}

TEST_F(ProfileFile, AUtf8MarkIsKeptAndOtherBytesFallBackToLatin1)
{
    Put("\xEF\xBB\xBF[Main]\nA=\xC3\xA9\n");
    {
        TProfileFile File(Path);
        EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("A"), QString()), "é");
        File.WriteString(QStringLiteral("Main"), QStringLiteral("B"), QStringLiteral("ü"));
        File.Save();
        EXPECT_EQ(Bytes(), QByteArray("\xEF\xBB\xBF[Main]\nA=\xC3\xA9\nB=\xC3\xBC\n"));
    }

    // Not valid UTF-8: every byte is one Latin-1 character, and stays one byte.
    Put("[Main]\nA=caf\xE9\n;\xFF\xFE\n");
    {
        TProfileFile File(Path);
        EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("A"), QString()), "café");
        File.WriteString(QStringLiteral("Main"), QStringLiteral("B"), QStringLiteral("ü"));
        File.Save();
        EXPECT_EQ(Bytes(), QByteArray("[Main]\nA=caf\xE9\nB=\xFC\n;\xFF\xFE\n"));
        // A character beyond Latin-1 turns the whole file into UTF-8, keeping every character.
        File.WriteString(QStringLiteral("Main"), QStringLiteral("C"), QStringLiteral("π"));
        File.Save();
    }
    const TProfileFile File(Path);
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("A"), QString()), "café");
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("C"), QString()), "π");
}

TEST_F(ProfileFile, BinaryContentLoadsAndIsKeptByteForByte)
{
    QByteArray Junk;
    for (int i = 0; i < 200000; ++i)
        Junk += char((i * 7919 + i / 13) & 0xFF);
    Junk += QByteArray("\0[Main]\0\nK=\0v\0\n", 15);
    Put(Junk);
    TProfileFile File(Path);
    EXPECT_EQ(File.ReadString(QStringLiteral("Main"), QStringLiteral("Missing"), QStringLiteral("d")), "d");
    File.WriteString(QStringLiteral("Main"), QStringLiteral("Func1"), QStringLiteral("x"));
    File.Save();
    EXPECT_TRUE(Bytes().startsWith(Junk));
}

TEST_F(ProfileFile, ManyKeysAreFoundWhereverTheyStand)
{
    QByteArray Content("[Main]\n");
    for (int i = 0; i < 100000; ++i)
        Content += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i * 3) + "\n";
    Put(Content);
    TProfileFile File(Path);
    for (int i : {0, 1, 4711, 99999})
        EXPECT_EQ(File.ReadInteger(QStringLiteral("Main"), QStringLiteral("KEY%1").arg(i), -1), i * 3);
    for (int i = 0; i < 20000; ++i)
        File.WriteInteger(QStringLiteral("Main"), QStringLiteral("New%1").arg(i), i);
    EXPECT_EQ(File.ReadInteger(QStringLiteral("Main"), QStringLiteral("new19999"), -1), 19999);
}

TEST_F(ProfileFile, AFailedSaveThrowsAndLeavesTheOldFileAlone)
{
    Put("[Main]\r\nFunc1=x\r\n");
    const QByteArray Before = Bytes();
    for (const QString& Target :
         {Path + QStringLiteral("/inside.vdg"), Dir.filePath(QStringLiteral("no/such/dir.vdg")), Dir.path()})
    {
        TProfileFile File(Target);
        File.WriteString(QStringLiteral("Main"), QStringLiteral("Func1"), QStringLiteral("y"));
        try
        {
            File.Save();
            ADD_FAILURE() << "saving to " << Target.toStdString() << " did not fail";
        }
        catch (const EFileWriteError& e)
        {
            EXPECT_EQ(std::string(e.Message()), "Unable to write to " + Target.toStdString());
            EXPECT_STREQ(e.ClassName(), "EFileWriteError");
        }
    }
    EXPECT_EQ(Bytes(), Before);
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("doc.vdg")});
}
