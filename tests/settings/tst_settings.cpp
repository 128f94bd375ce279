#include "settings/list_file.h"
#include "settings/settings.h"
#include "../testing/test_support.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(SettingsSection)

namespace {

// Lines joined and ended by CR LF, as settings.ini is written.
QByteArray crlf(std::initializer_list<const char *> lines)
{
    QByteArray bytes;
    for (const char *line : lines)
        bytes += QByteArray(line) + "\r\n";
    return bytes;
}

// Settings whose reads of one file of the folder fail, as for a file held open exclusively.
class FaultySettings : public Settings
{
public:
    FaultySettings(const QString &folder, const QString &failingName)
        : Settings(folder), m_failingName(failingName)
    {
    }

protected:
    bool openForReading(QFile &file) override
    {
        if (QFileInfo(file.fileName()).fileName() == m_failingName)
            return false;
        return Settings::openForReading(file);
    }

private:
    QString m_failingName;
};

QStringList connSetPart(const SettingsRecord &r)
{
    return {r.ConnString, r.ConnFile, QString::number(r.ConnSelect)};
}

QStringList exportPart(const SettingsRecord &r)
{
    auto n = [](auto v) { return QString::number(v); };
    return {n(r.ExportPageIndex), n(r.ExportDirPageIndex), r.ExFilePath, r.ExFileName, n(r.ExFormat),
            n(r.ExRange), n(r.ExImageCheck), n(r.ExImageDir), r.ExDirName, r.ExDir_SubPreDef,
            r.ExDir_SubSufDef, r.ExDir_ImageDir, n(r.ExDir_Type), n(r.ExDir_Range), n(r.ExDir_ImageDirSame),
            n(r.ExDir_ImageDirFix), n(r.ExDir_ImageDirGiven), n(r.ExDir_ImageCheck)};
}

QStringList importPart(const SettingsRecord &r)
{
    auto n = [](auto v) { return QString::number(v); };
    return {n(r.ImportPageIndex), n(r.ImportDirPageIndex), n(r.ImRepCat), n(r.ImCatSel), r.ImFileName,
            n(r.ImImageCheck), r.ImImageDir, r.ImDirName, r.ImDir_SubPreDef, r.ImDir_SubSufDef,
            r.ImDir_ImageDir, n(r.ImDir_CatSel), n(r.ImDir_Range), n(r.ImDir_CatRep),
            n(r.ImDir_ImageDirSame), n(r.ImDir_ImageDirFix), n(r.ImDir_ImageDirGiven), n(r.ImDir_ImageCheck)};
}

QStringList part(const SettingsRecord &r, SettingsSection section)
{
    switch (section) {
    case SettingsSection::ConnSet: return connSetPart(r);
    case SettingsSection::EXPORT: return exportPart(r);
    default: return importPart(r);
    }
}

// Every field away from its default; strings that need care in a profile file.
SettingsRecord unusualRecord()
{
    SettingsRecord r;
    r.ConnString = QStringLiteral("Driver=QSQLITE;Database=D:\\店铺\\数据.db");
    r.ConnFile = QStringLiteral("FILE NAME=C:\\a.udl");
    r.ConnSelect = 0;
    r.ExportPageIndex = 1;
    r.ExportDirPageIndex = 2;
    r.ExFilePath = QStringLiteral("D:\\导出\\");
    r.ExFileName = QStringLiteral(" leading and trailing blank ");
    r.ExFormat = 3;
    r.ExRange = 1;
    r.ExImageCheck = false;
    r.ExImageDir = 0;
    r.ExDirName = QStringLiteral("\"quoted\"");
    r.ExDir_SubPreDef = QStringLiteral("'single'");
    r.ExDir_SubSufDef = QStringLiteral("a=b;c [d]");
    r.ExDir_ImageDir = QStringLiteral("\"");
    r.ExDir_Type = 2;
    r.ExDir_Range = 2;
    r.ExDir_ImageDirSame = false;
    r.ExDir_ImageDirFix = true;
    r.ExDir_ImageDirGiven = true;
    r.ExDir_ImageCheck = false;
    r.ImportPageIndex = 1;
    r.ImportDirPageIndex = 1;
    r.ImRepCat = true;
    r.ImCatSel = 1;
    r.ImFileName = QStringLiteral("/home/卖家/宝贝.csv");
    r.ImImageCheck = false;
    r.ImImageDir = QStringLiteral("图片");
    r.ImDirName = QStringLiteral("; not a comment");
    r.ImDir_SubPreDef = QStringLiteral("前");
    r.ImDir_SubSufDef = QStringLiteral("后");
    r.ImDir_ImageDir = QStringLiteral("x");
    r.ImDir_CatSel = 1;
    r.ImDir_Range = 2;
    r.ImDir_CatRep = true;
    r.ImDir_ImageDirSame = false;
    r.ImDir_ImageDirFix = true;
    r.ImDir_ImageDirGiven = true;
    r.ImDir_ImageCheck = false;
    return r;
}

} // namespace

class TstSettings : public QObject
{
    Q_OBJECT

private slots:
    void freshInstallDefaultsAndFirstSaves();
    void connSetSave();
    void namesMatchWithoutCase();
    void integers_data();
    void integers();
    void booleans_data();
    void booleans();
    void roundTripOfOneSection_data();
    void roundTripOfOneSection();
    void saveKeepsEverythingElse();
    void encodings_data();
    void encodings();
    void malformedFile();
    void randomBytesNeverBreakLoadAndSave();
    void startupReadsInactiveSections();
    void listFileLines_data();
    void listFileLines();
    void listFolderCountsAsMissing();
    void unreadableListFileFailsStartup();
    void unreadableListFileByPermissions();
    void unreadableSettingsFile();
    void readOnlySettingsFile();
    void readOnlySettingsFolder();
    void saveAllIsRefused();
};

void TstSettings::freshInstallDefaultsAndFirstSaves()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    QVERIFY(settings.LoadSettings(SettingsSection::All));
    QVERIFY(settings.LoadSettings(SettingsSection::EXPORT));
    QVERIFY(!QFileInfo::exists(home.home().settingsDir()));
    for (const QString &name : ListFiles::all())
        QVERIFY(settings.list(name).isEmpty());

    QVERIFY(settings.SaveSettings(SettingsSection::EXPORT));
    QVERIFY(settings.SaveSettings(SettingsSection::IMPORT));
    const QByteArray expected = crlf({
        "[ExPORT]", "ExportPageIndex=0", "ExportDirPageIndex=0", "ExFilePath=", "ExFileName=", "ExFormat=0",
        "ExRange=0", "ExImageCheck=1", "ExImageDir=1", "ExDirName=", "ExDir_SubPreDef=", "ExDir_SubSufDef=",
        "ExDir_ImageDir=", "ExDir_Type=1", "ExDir_Range=0", "ExDir_ImageDirSame=1", "ExDir_ImageDirFix=0",
        "ExDir_ImageDirGiven=0", "ExDir_ImageCheck=1",
        "[IMPORT]", "ImportPageIndex=0", "ImportDirPageIndex=0", "ImRepCat=0", "ImCatSel=0", "ImFileName=",
        "ImImageCheck=1", "ImImageDir=", "ImDirName=", "ImDir_SubPreDef=", "ImDir_SubSufDef=", "ImDir_ImageDir=",
        "ImDir_CatSel=0", "ImDir_Range=0", "ImDir_CatRep=0", "ImDir_ImageDirSame=1", "ImDir_ImageDirFix=0",
        "ImDir_ImageDirGiven=0", "ImDir_ImageCheck=1"});
    QCOMPARE(TestFiles::read(settings.SettingsFilePath(false)), expected);
}

void TstSettings::connSetSave()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    QVERIFY(settings.LoadSettings(SettingsSection::ConnSet));
    QCOMPARE(settings.record().ConnString, QStringLiteral("Driver=QSQLITE;Database=Data.db"));
    QVERIFY(settings.SaveSettings(SettingsSection::ConnSet));
    QCOMPARE(TestFiles::read(settings.SettingsFilePath(false)),
             crlf({"[ConnSet]", "ConnString=Driver=QSQLITE;Database=Data.db", "ConnFile=", "ConnSelect=1"}));
}

void TstSettings::namesMatchWithoutCase()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString path = settings.SettingsFilePath(false);
    QVERIFY(TestFiles::write(path, crlf({"[export]", "exformat=2", "EXPORTPAGEINDEX=1", "[import]",
                                         "ImPortPageIndex=1", "imdirname=d"})));
    QVERIFY(settings.LoadSettings(SettingsSection::EXPORT));
    QVERIFY(settings.LoadSettings(SettingsSection::IMPORT));
    QCOMPARE(settings.record().ExFormat, 2);
    QCOMPARE(settings.record().ExportPageIndex, 1);
    QCOMPARE(settings.record().ImportPageIndex, 1);
    QCOMPARE(settings.record().ImDirName, QStringLiteral("d"));

    settings.record().ExFormat = 1;
    QVERIFY(settings.SaveSettings(SettingsSection::EXPORT));
    QVERIFY(settings.SaveSettings(SettingsSection::IMPORT));
    const QByteArray saved = TestFiles::read(path);
    QVERIFY(saved.startsWith(crlf({"[export]", "ExFormat=1", "ExportPageIndex=1", "ExportDirPageIndex=0"})));
    QCOMPARE(saved.count("["), 2); // no second export or import section
    QCOMPARE(saved.count("ExFormat"), 1);
    QVERIFY(saved.contains(crlf({"[import]", "ImportPageIndex=1", "ImDirName=d"})));
}

void TstSettings::integers_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected"); // ExImageDir, default 1

    QTest::newRow("decimal") << QByteArray("0") << 0;
    QTest::newRow("hex 0x") << QByteArray("0x1f") << 31;
    QTest::newRow("hex 0X") << QByteArray("0X0") << 0;
    QTest::newRow("negative") << QByteArray("-3") << -3;
    QTest::newRow("plus") << QByteArray("+4") << 4;
    QTest::newRow("blanks around") << QByteArray("  7  ") << 7;
    QTest::newRow("quoted") << QByteArray("\"5\"") << 5;
    QTest::newRow("32-bit hex wraps") << QByteArray("0xFFFFFFFF") << -1;
    QTest::newRow("letters") << QByteArray("abc") << 1;
    QTest::newRow("trailing letters") << QByteArray("12abc") << 1;
    QTest::newRow("fraction") << QByteArray("3.5") << 1;
    QTest::newRow("empty") << QByteArray("") << 1;
    QTest::newRow("bare 0x") << QByteArray("0x") << 1;
    QTest::newRow("bad hex digit") << QByteArray("0x1g") << 1;
    QTest::newRow("signed hex") << QByteArray("0x-1") << 1;
    QTest::newRow("too large") << QByteArray("99999999999") << 1;
    QTest::newRow("too large hex") << QByteArray("0x100000000") << 1;
}

void TstSettings::integers()
{
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    TempHome home;
    Settings settings(home.home().settingsDir());
    QVERIFY(TestFiles::write(settings.SettingsFilePath(false), "[EXPORT]\r\nExImageDir=" + text + "\r\n"));
    QVERIFY(settings.LoadSettings(SettingsSection::EXPORT));
    QCOMPARE(settings.record().ExImageDir, expected);
}

void TstSettings::booleans_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("whenDefaultFalse"); // ImRepCat
    QTest::addColumn<bool>("whenDefaultTrue");  // ImImageCheck

    QTest::newRow("1") << QByteArray("1") << true << true;
    QTest::newRow("0") << QByteArray("0") << false << false;
    QTest::newRow("non-zero") << QByteArray("2") << true << true;
    QTest::newRow("hex zero") << QByteArray("0x0") << false << false;
    QTest::newRow("word") << QByteArray("true") << false << true;
    QTest::newRow("empty") << QByteArray("") << false << true;
}

void TstSettings::booleans()
{
    QFETCH(QByteArray, text);
    QFETCH(bool, whenDefaultFalse);
    QFETCH(bool, whenDefaultTrue);
    TempHome home;
    Settings settings(home.home().settingsDir());
    QVERIFY(TestFiles::write(settings.SettingsFilePath(false),
                             "[IMPORT]\r\nImRepCat=" + text + "\r\nImImageCheck=" + text + "\r\n"));
    QVERIFY(settings.LoadSettings(SettingsSection::IMPORT));
    QCOMPARE(settings.record().ImRepCat, whenDefaultFalse);
    QCOMPARE(settings.record().ImImageCheck, whenDefaultTrue);
}

void TstSettings::roundTripOfOneSection_data()
{
    QTest::addColumn<SettingsSection>("section");
    QTest::newRow("ConnSet") << SettingsSection::ConnSet;
    QTest::newRow("EXPORT") << SettingsSection::EXPORT;
    QTest::newRow("IMPORT") << SettingsSection::IMPORT;
}

void TstSettings::roundTripOfOneSection()
{
    QFETCH(SettingsSection, section);
    TempHome home;
    Settings writer(home.home().settingsDir());
    writer.record() = unusualRecord();
    QVERIFY(writer.SaveSettings(section));

    Settings reader(home.home().settingsDir());
    QVERIFY(reader.LoadSettings(SettingsSection::All));
    const SettingsRecord defaults;
    for (SettingsSection each : {SettingsSection::ConnSet, SettingsSection::EXPORT, SettingsSection::IMPORT}) {
        const SettingsRecord &expected = each == section ? writer.record() : defaults;
        QCOMPARE(part(reader.record(), each), part(expected, each));
    }
}

void TstSettings::saveKeepsEverythingElse()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString path = settings.SettingsFilePath(false);
    // GBK text (导出 is B5 BC B3 F6) and bytes that are no valid text at all.
    const QByteArray head = crlf({"; made by hand", "[CLOSEINFO]", "MinWhenClose=1", "", "[Export]",
                                  "Unknown Key = keep me", "ExFilePath=D:\\\xB5\xBC\xB3\xF6\\"});
    const QByteArray formatLine = "ExFormat = 3\r\n";
    const QByteArray tail = crlf({"", "[Other]", "\xB5\xBC=\xFF\x80\x01 junk", "line without equals",
                                  "[broken header", "ExRange=1"});
    QVERIFY(TestFiles::write(path, head + formatLine + tail));

    QVERIFY(settings.LoadSettings(SettingsSection::EXPORT));
    QCOMPARE(settings.record().ExFilePath, QStringLiteral("D:\\导出\\"));
    QCOMPARE(settings.record().ExFormat, 3);
    QCOMPARE(settings.record().ExRange, 0); // the key below [Other] is not in the export section
    settings.record().ExFormat = 2;
    QVERIFY(settings.SaveSettings(SettingsSection::EXPORT));

    const QByteArray added = crlf({"ExportPageIndex=0", "ExportDirPageIndex=0", "ExFileName=", "ExRange=0",
        "ExImageCheck=1", "ExImageDir=1", "ExDirName=", "ExDir_SubPreDef=", "ExDir_SubSufDef=",
        "ExDir_ImageDir=", "ExDir_Type=1", "ExDir_Range=0", "ExDir_ImageDirSame=1", "ExDir_ImageDirFix=0",
        "ExDir_ImageDirGiven=0", "ExDir_ImageCheck=1"});
    QCOMPARE(TestFiles::read(path), head + "ExFormat=2\r\n" + added + tail);
}

void TstSettings::encodings_data()
{
    QTest::addColumn<QByteArray>("fileName"); // the bytes of 商品.csv
    QTest::newRow("GBK") << QByteArray("\xC9\xCC\xC6\xB7.csv");
    QTest::newRow("UTF-8") << QByteArray("\xE5\x95\x86\xE5\x93\x81.csv");
    QTest::newRow("UTF-8 with mark") << QByteArray("\xE5\x95\x86\xE5\x93\x81.csv");
}

void TstSettings::encodings()
{
    QFETCH(QByteArray, fileName);
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString path = settings.SettingsFilePath(false);
    const QByteArray mark = QByteArray(QTest::currentDataTag()).endsWith("mark") ? "\xEF\xBB\xBF" : "";
    const bool utf8 = !fileName.startsWith('\xC9');
    const QByteArray appKey = utf8 ? "\xE4\xB8\xAD" : "\xD6\xD0"; // 中
    QVERIFY(TestFiles::write(path, mark + crlf({"[TOPAPP]"}) + "App_Key=" + appKey + "\r\n[EXPORT]\r\nExFileName="
                                       + fileName + "\r\n"));

    QVERIFY(settings.LoadSettings(SettingsSection::All));
    QCOMPARE(settings.record().ExFileName, QStringLiteral("商品.csv"));
    QCOMPARE(settings.inactiveValue(QStringLiteral("TOPAPP"), QStringLiteral("App_Key")).toString(),
             QStringLiteral("中"));

    // Saving writes the whole file in GB18030; the other section still reads the same.
    QVERIFY(settings.SaveSettings(SettingsSection::EXPORT));
    const QByteArray saved = TestFiles::read(path);
    QVERIFY(saved.startsWith("[TOPAPP]\r\nApp_Key=\xD6\xD0\r\n"));
    QVERIFY(saved.contains("ExFileName=\xC9\xCC\xC6\xB7.csv\r\n"));
    Settings again(home.home().settingsDir());
    QVERIFY(again.LoadSettings(SettingsSection::All));
    QCOMPARE(again.record().ExFileName, QStringLiteral("商品.csv"));
    QCOMPARE(again.inactiveValue(QStringLiteral("topapp"), QStringLiteral("app_key")).toString(),
             QStringLiteral("中"));
}

void TstSettings::malformedFile()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString path = settings.SettingsFilePath(false);
    QByteArray junk("\x00\x01\xFF\xFE[\x00]=\r\n", 10);
    junk += "=no key\r\n[EXPORT\r\nExFormat=9\r\n[EXPORT]\r\nno equals here\r\n\xD6=\xD0\xFF\r\nExRange=1\r\n";
    junk += "ExImageDir\r\n[IMPORT]]]\r\nImCatSel=1";  // no line end at the end
    QVERIFY(TestFiles::write(path, junk));

    QVERIFY(settings.LoadSettings(SettingsSection::All));
    QCOMPARE(settings.record().ExFormat, 0);   // above the first real export header
    QCOMPARE(settings.record().ExRange, 1);
    QCOMPARE(settings.record().ExImageDir, 1); // a key without "=" is no key
    QCOMPARE(settings.record().ImCatSel, 1);

    QVERIFY(settings.SaveSettings(SettingsSection::IMPORT));
    QVERIFY(TestFiles::read(path).startsWith(junk.left(junk.indexOf("ImCatSel"))));
    Settings again(home.home().settingsDir());
    QVERIFY(again.LoadSettings(SettingsSection::All));
    QCOMPARE(importPart(again.record()), importPart(settings.record()));
    QCOMPARE(again.record().ExRange, 1);
}

void TstSettings::randomBytesNeverBreakLoadAndSave()
{
    QRandomGenerator random(20240611);
    const QByteArray pieces[] = {"[", "]", "=", "\r", "\n", "\r\n", "EXPORT", "ExFormat", "ImPORT", "ImCatSel",
                                 "\"", "'", ";", " ", "\xD6\xD0", "\xFF", QByteArray(1, '\0'), "0x", "7"};
    for (int round = 0; round < 200; ++round) {
        QByteArray bytes;
        const int count = random.bounded(60);
        for (int i = 0; i < count; ++i)
            bytes += random.bounded(3) == 0 ? QByteArray(1, char(random.bounded(256)))
                                            : pieces[random.bounded(int(std::size(pieces)))];
        TempHome home;
        Settings settings(home.home().settingsDir());
        QVERIFY(TestFiles::write(settings.SettingsFilePath(false), bytes));
        QVERIFY(settings.LoadSettings(SettingsSection::All));
        settings.record() = unusualRecord();
        QVERIFY(settings.SaveSettings(SettingsSection::EXPORT));
        QVERIFY(settings.SaveSettings(SettingsSection::IMPORT));

        Settings again(home.home().settingsDir());
        QVERIFY2(again.LoadSettings(SettingsSection::All), bytes.toHex().constData());
        QVERIFY2(exportPart(again.record()) == exportPart(settings.record()), bytes.toHex().constData());
        QVERIFY2(importPart(again.record()) == importPart(settings.record()), bytes.toHex().constData());
    }
}

void TstSettings::startupReadsInactiveSections()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    QVERIFY(TestFiles::write(settings.SettingsFilePath(false),
                             crlf({"[USERDEFINE]", "PostalCost=12.5", "EMSCost=x", "[SALENUMBER]", "SaleNumber=0x10",
                                   "[UPDATEINFO]", "EndPage=500", "[OtherINFO]", "TBVersion=5"})));
    QVERIFY(settings.LoadSettings(SettingsSection::All));
    auto value = [&](const char *section, const char *key) {
        return settings.inactiveValue(QLatin1String(section), QLatin1String(key));
    };
    QCOMPARE(value("USERDEFINE", "PostalCost"), QVariant(12.5));
    QCOMPARE(value("USERDEFINE", "EMSCost"), QVariant(20.0));
    QCOMPARE(value("SALENUMBER", "SaleNumber"), QVariant(16));
    QCOMPARE(value("UPDATEINFO", "EndPage"), QVariant(500));
    QCOMPARE(value("UPDATEINFO", "PageNum"), QVariant(40));
    QCOMPARE(value("OtherINFO", "TBVersion"), QVariant(5));
    QCOMPARE(value("WELCOME", "WelcomeNotice"), QVariant(true));
    QCOMPARE(value("DESCEDIT", "DelStart"), QVariant(true));
    QCOMPARE(value("DownLoadImageType", "DownLoadImageRange"), QVariant(2));
}

void TstSettings::listFileLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("three lines, no final line end") << QByteArray("a\r\nb\r\nc") << QStringList{"a", "b", "c"};
    QTest::newRow("two empty lines") << QByteArray("\r\n\r\n") << QStringList{"", ""};
    QTest::newRow("final line end") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("LF and CR ends") << QByteArray("a\nb\rc") << QStringList{"a", "b", "c"};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("GBK") << QByteArray("\xC9\xCC\xC6\xB7\r\n \t\r\n") << QStringList{QStringLiteral("商品"), " \t"};
    QTest::newRow("UTF-8 with mark") << QByteArray("\xEF\xBB\xBF\xE5\x95\x86") << QStringList{QStringLiteral("商")};
}

void TstSettings::listFileLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, expected);
    TempHome home;
    Settings settings(home.home().settingsDir());
    QVERIFY(TestFiles::write(settings.ListFilePath(ListFiles::AddressList), bytes));
    QVERIFY(settings.LoadSettings(SettingsSection::All));
    QCOMPARE(settings.list(ListFiles::AddressList), expected);
}

void TstSettings::listFolderCountsAsMissing()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString path = settings.ListFilePath(ListFiles::AddressList);
    QVERIFY(QDir().mkpath(path));
    QStringList list{QStringLiteral("old")};
    QVERIFY(settings.LoadListFile(path, list));
    QVERIFY(list.isEmpty());
    QVERIFY(settings.LoadSettings(SettingsSection::All));
}

// AddressList.txt is step 13: the steps before it are read, the ones after it are not.
void TstSettings::unreadableListFileFailsStartup()
{
    TempHome home;
    FaultySettings settings(home.home().settingsDir(), ListFiles::AddressList);
    QVERIFY(TestFiles::write(settings.SettingsFilePath(false),
                             crlf({"[ConnSet]", "ConnSelect=0", "[EXPORT]", "ExFormat=2"})));
    QVERIFY(TestFiles::write(settings.ListFilePath(ListFiles::ImageFilterList), "jpg"));
    QVERIFY(TestFiles::write(settings.ListFilePath(ListFiles::AddressList), "x"));
    QVERIFY(TestFiles::write(settings.ListFilePath(ListFiles::ImageChar1List), "y"));

    QVERIFY(!settings.LoadSettings(SettingsSection::All));
    QVERIFY(settings.errorString().contains(ListFiles::AddressList));
    QCOMPARE(settings.record().ConnSelect, 0);
    QCOMPARE(settings.list(ListFiles::ImageFilterList), QStringList{"jpg"});
    QVERIFY(settings.list(ListFiles::ImageChar1List).isEmpty());
    QCOMPARE(settings.record().ExFormat, 0);
    // A dialog's own section does not read list files.
    QVERIFY(settings.LoadSettings(SettingsSection::EXPORT));
    QCOMPARE(settings.record().ExFormat, 2);
}

void TstSettings::unreadableListFileByPermissions()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString path = settings.ListFilePath(ListFiles::ZZ2ReplaceList);
    QVERIFY(TestFiles::write(path, "a"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        QSKIP("this user reads files without read permission (root)");
    QVERIFY(!settings.LoadSettings(SettingsSection::All));
}

void TstSettings::unreadableSettingsFile()
{
    TempHome home;
    FaultySettings settings(home.home().settingsDir(), QStringLiteral("settings.ini"));
    const QString path = settings.SettingsFilePath(false);
    const QByteArray bytes = crlf({"[EXPORT]", "ExFormat=2", "[Other]", "k=v"});
    QVERIFY(TestFiles::write(path, bytes));
    QVERIFY(!settings.LoadSettings(SettingsSection::EXPORT));
    QVERIFY(!settings.LoadSettings(SettingsSection::All));
    QVERIFY(!settings.SaveSettings(SettingsSection::EXPORT));
    QCOMPARE(TestFiles::read(path), bytes);
}

void TstSettings::readOnlySettingsFile()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString path = settings.SettingsFilePath(false);
    const QByteArray bytes = crlf({"[IMPORT]", "ImCatSel=0"});
    QVERIFY(TestFiles::write(path, bytes));
    QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));

    settings.record().ImCatSel = 1;
    QVERIFY(!settings.SaveSettings(SettingsSection::IMPORT));
    QCOMPARE(TestFiles::read(path), bytes);
    QVERIFY(settings.LoadSettings(SettingsSection::IMPORT));
    QCOMPARE(settings.record().ImCatSel, 0);

    QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::WriteOwner));
    settings.record().ImCatSel = 1;
    QVERIFY(settings.SaveSettings(SettingsSection::IMPORT));
    QVERIFY(TestFiles::read(path).startsWith("[IMPORT]\r\nImCatSel=1\r\n"));
    QVERIFY(!QFileInfo(path).permission(QFileDevice::WriteOther)); // the file keeps its permissions
}

void TstSettings::readOnlySettingsFolder()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    const QString folder = settings.SettingsFolder(true);
    QVERIFY(QFileInfo(folder).isDir());
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    QVERIFY(!settings.SaveSettings(SettingsSection::ConnSet));
    QVERIFY(!QFileInfo::exists(settings.SettingsFilePath(false)));
    QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
}

void TstSettings::saveAllIsRefused()
{
    TempHome home;
    Settings settings(home.home().settingsDir());
    QVERIFY(!settings.SaveSettings(SettingsSection::All));
    QVERIFY(!QFileInfo::exists(settings.SettingsFilePath(false)));
}

QTEST_GUILESS_MAIN(TstSettings)
#include "tst_settings.moc"
