#include "settings.h"

#include "base/ansi_text.h"
#include "settings/ini_file.h"
#include "settings/list_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <optional>
#include <variant>
#include <vector>

namespace {

// ---- Values ----------------------------------------------------------------------------

bool allOf(QStringView text, bool (*accept)(QChar))
{
    for (QChar c : text) {
        if (!accept(c))
            return false;
    }
    return !text.isEmpty();
}

bool isDecimalDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }
bool isHexDigit(QChar c)
{
    return isDecimalDigit(c) || (c.toLower() >= QLatin1Char('a') && c.toLower() <= QLatin1Char('f'));
}

// Decimal, or hexadecimal after "0x"/"0X" (up to 32 bits); nothing else is a whole number.
std::optional<int> parseInt(const QString &text)
{
    bool ok = false;
    if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const QStringView digits = QStringView(text).mid(2);
        const qulonglong value = allOf(digits, isHexDigit) ? digits.toULongLong(&ok, 16) : 0;
        if (ok && value <= 0xFFFFFFFFull)
            return static_cast<int>(static_cast<quint32>(value));
        return std::nullopt;
    }
    const QStringView unsigned_ = QStringView(text).mid(text.startsWith(QLatin1Char('-')) || text.startsWith(QLatin1Char('+')) ? 1 : 0);
    const qlonglong value = allOf(unsigned_, isDecimalDigit) ? text.toLongLong(&ok, 10) : 0;
    if (ok && value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())
        return static_cast<int>(value);
    return std::nullopt;
}

int readInt(const IniFile &ini, const QString &section, const QString &key, int fallback)
{
    return parseInt(ini.value(section, key)).value_or(fallback);
}

bool readBool(const IniFile &ini, const QString &section, const QString &key, bool fallback)
{
    const std::optional<int> value = parseInt(ini.value(section, key));
    return value ? *value != 0 : fallback;
}

QString readString(const IniFile &ini, const QString &section, const QString &key, const QString &fallback)
{
    const QString value = ini.value(section, key);
    return value.isNull() ? fallback : value;
}

double readNumber(const IniFile &ini, const QString &section, const QString &key, double fallback)
{
    bool ok = false;
    const double value = ini.value(section, key).toDouble(&ok);
    return ok ? value : fallback;
}

// ---- Live sections, in the order a save writes them ------------------------------------

using Field = std::variant<int SettingsRecord::*, bool SettingsRecord::*, QString SettingsRecord::*>;

struct LiveKey
{
    const char *section; // the name the key is written under
    const char *name;
    Field field;
};

#define ROWSHIFT_KEY(section, name) LiveKey{section, #name, &SettingsRecord::name}

const std::vector<LiveKey> &connSetKeys()
{
    static const std::vector<LiveKey> keys = {
        ROWSHIFT_KEY("ConnSet", ConnString),
        ROWSHIFT_KEY("ConnSet", ConnFile),
        ROWSHIFT_KEY("ConnSet", ConnSelect),
    };
    return keys;
}

const std::vector<LiveKey> &exportKeys()
{
    static const std::vector<LiveKey> keys = {
        ROWSHIFT_KEY("ExPORT", ExportPageIndex),
        ROWSHIFT_KEY("ExPORT", ExportDirPageIndex),
        ROWSHIFT_KEY("EXPORT", ExFilePath),
        ROWSHIFT_KEY("EXPORT", ExFileName),
        ROWSHIFT_KEY("EXPORT", ExFormat),
        ROWSHIFT_KEY("EXPORT", ExRange),
        ROWSHIFT_KEY("EXPORT", ExImageCheck),
        ROWSHIFT_KEY("EXPORT", ExImageDir),
        ROWSHIFT_KEY("EXPORT", ExDirName),
        ROWSHIFT_KEY("EXPORT", ExDir_SubPreDef),
        ROWSHIFT_KEY("EXPORT", ExDir_SubSufDef),
        ROWSHIFT_KEY("EXPORT", ExDir_ImageDir),
        ROWSHIFT_KEY("EXPORT", ExDir_Type),
        ROWSHIFT_KEY("EXPORT", ExDir_Range),
        ROWSHIFT_KEY("EXPORT", ExDir_ImageDirSame),
        ROWSHIFT_KEY("EXPORT", ExDir_ImageDirFix),
        ROWSHIFT_KEY("EXPORT", ExDir_ImageDirGiven),
        ROWSHIFT_KEY("EXPORT", ExDir_ImageCheck),
    };
    return keys;
}

// The import dialog reads its first seven keys under "ImPORT"; one section either way.
const std::vector<LiveKey> &importKeys()
{
    static const std::vector<LiveKey> keys = {
        ROWSHIFT_KEY("IMPORT", ImportPageIndex),
        ROWSHIFT_KEY("IMPORT", ImportDirPageIndex),
        ROWSHIFT_KEY("IMPORT", ImRepCat),
        ROWSHIFT_KEY("IMPORT", ImCatSel),
        ROWSHIFT_KEY("IMPORT", ImFileName),
        ROWSHIFT_KEY("IMPORT", ImImageCheck),
        ROWSHIFT_KEY("IMPORT", ImImageDir),
        ROWSHIFT_KEY("IMPORT", ImDirName),
        ROWSHIFT_KEY("IMPORT", ImDir_SubPreDef),
        ROWSHIFT_KEY("IMPORT", ImDir_SubSufDef),
        ROWSHIFT_KEY("IMPORT", ImDir_ImageDir),
        ROWSHIFT_KEY("IMPORT", ImDir_CatSel),
        ROWSHIFT_KEY("IMPORT", ImDir_Range),
        ROWSHIFT_KEY("IMPORT", ImDir_CatRep),
        ROWSHIFT_KEY("IMPORT", ImDir_ImageDirSame),
        ROWSHIFT_KEY("IMPORT", ImDir_ImageDirFix),
        ROWSHIFT_KEY("IMPORT", ImDir_ImageDirGiven),
        ROWSHIFT_KEY("IMPORT", ImDir_ImageCheck),
    };
    return keys;
}

#undef ROWSHIFT_KEY

const std::vector<LiveKey> &liveKeys(SettingsSection section)
{
    static const std::vector<LiveKey> none;
    switch (section) {
    case SettingsSection::ConnSet: return connSetKeys();
    case SettingsSection::EXPORT: return exportKeys();
    case SettingsSection::IMPORT: return importKeys();
    case SettingsSection::All: break;
    }
    return none;
}

template<typename... Ts>
struct Overloaded : Ts... { using Ts::operator()...; };
template<typename... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

QString fieldText(const SettingsRecord &record, const Field &field)
{
    return std::visit(Overloaded{
        [&](int SettingsRecord::*member) { return QString::number(record.*member); },
        [&](bool SettingsRecord::*member) { return record.*member ? QStringLiteral("1") : QStringLiteral("0"); },
        [&](QString SettingsRecord::*member) { return record.*member; },
    }, field);
}

void readField(const IniFile &ini, const LiveKey &key, SettingsRecord &record)
{
    static const SettingsRecord defaults;
    const QString section = QLatin1String(key.section);
    const QString name = QLatin1String(key.name);
    std::visit(Overloaded{
        [&](int SettingsRecord::*member) { record.*member = readInt(ini, section, name, defaults.*member); },
        [&](bool SettingsRecord::*member) { record.*member = readBool(ini, section, name, defaults.*member); },
        [&](QString SettingsRecord::*member) { record.*member = readString(ini, section, name, defaults.*member); },
    }, key.field);
}

// ---- The start-up read ----------------------------------------------------------------

// Base address of the maker's web server.
const QString kWebBase = QStringLiteral("https://rowshift.example.org/");

struct InactiveKey
{
    const char *name;
    QVariant fallback; // its type is the key's kind: int, bool, double or QString
};

struct KeyGroup
{
    const char *section;
    std::vector<InactiveKey> keys;
};

struct StartupStep
{
    std::optional<SettingsSection> live;
    std::vector<KeyGroup> groups;
    QStringList lists;
};

std::vector<InactiveKey> flags(std::initializer_list<const char *> names, bool fallback)
{
    std::vector<InactiveKey> keys;
    for (const char *name : names)
        keys.push_back({name, fallback});
    return keys;
}

// Key names that the old program read with a trailing blank ("SaleNumber ", "WelcomeNotice ",
// "DelDXX ") are matched trimmed, as the file holds them.
std::vector<StartupStep> startupSteps(const QString &programFolder)
{
    using namespace ListFiles;
    const std::vector<InactiveKey> imageTypes = {
        {"jpg", true}, {"jpeg", true}, {"gif", true}, {"bmp", true}, {"png", true}, {"none", true}};
    const std::vector<InactiveKey> imageProperties = {{"src", true}, {"background", true}};
    auto withRange = [&](const char *rangeKey, int range) {
        std::vector<InactiveKey> keys = {{rangeKey, range}};
        keys.insert(keys.end(), imageTypes.begin(), imageTypes.end());
        return keys;
    };
    std::vector<InactiveKey> descEdit = flags({"DelDXX", "DelQBJ", "DelKG", "DelHH", "DelYM", "PTDXX", "PTKG",
        "PTHH", "PTQBJ", "QSTZDXX", "QSTZQBJ", "QSTZKG", "QSTZHH", "QSTZYM", "JSTZDXX", "JSTZQBJ", "JSTZKG",
        "JSTZHH", "JSTZYM"}, false);
    descEdit.insert(descEdit.end(), {{"DelStart", true}, {"DelEnd", false}, {"AddStart", true},
                                     {"AddEnd", false}, {"DescEditMode", 0}});

    return {
        {SettingsSection::ConnSet, {}, {}},
        {{}, {{"CLOSEINFO", {{"MinWhenClose", false}, {"noticeagain", true}}}}, {}},
        {{}, {{"BEFOREINFO", {{"DownLoadMode", false}}}}, {}},
        {{}, {{"SAVEFILE", {{"SaveFilePath", QString()}}}}, {}},
        {{}, {{"USERDEFINE", {{"UserDetail", 0}, {"ValiDate", 0}, {"ShipCost", 0}, {"PostalCost", 10.0},
                              {"ExpressCost", 10.0}, {"EMSCost", 20.0}}}}, {}},
        {{}, {{"SAVEIMAGE", {{"DescImagePath", programFolder}, {"DescImagefolderSelect", 0},
                             {"DescImagefolder", QString()}, {"ImageSubfolder", 0}}}}, {}},
        {{}, {{"DownLoadImageType", withRange("DownLoadImageRange", 2)},
              {"DownLoadImageProperty", imageProperties}}, {ImageFilterList}},
        {{}, {{"DeleteImageType", withRange("DeleteImageRange", 0)},
              {"DeleteImageProperty", imageProperties}}, {ImageDeleteList}},
        {{}, {{"PRICE", {{"PriceOperate", 0}, {"NormalPrice", 0.0}, {"PriceRange", 0}}}}, {PriceFilterList}},
        {{}, {{"SALEPRICE", {{"SalePriceOperate", 0}, {"SalePrice", 0.0}, {"SalePriceRange", 0}}}},
         {SalePriceFilterList}},
        {{}, {{"NUMBER", {{"NumberOperate", 0}, {"NormalNumber", 0}, {"NumberRange", 0}}}}, {NumberFilterList}},
        {{}, {{"SALENUMBER", {{"SaleNumberOperate", 0}, {"SaleNumber", 0}, {"SaleNumberRange", 0}}}},
         {SaleNumberFilterList}},
        {{}, {}, {AddressList}},
        {{}, {{"WELCOME", {{"WelcomeNotice", true}}}}, {}},
        {{}, {{"TOPAPP", {{"App_Key", QString()}, {"App_Secret", QString()}}}}, {}},
        {{}, {{"ReplaceOption", {{"ReplaceType", 0}, {"ReplaceAddr", kWebBase}}}}, {}},
        {{}, {{"DESCEDIT", descEdit}},
         {PT1ReplaceList, PT2ReplaceList, TZ1ReplaceList, TZ2ReplaceList, TZ3ReplaceList, DelContentList,
          AddContentList, NewContentList, ZZ1ReplaceList, ZZ2ReplaceList}},
        {{}, {{"SaleOption", {{"SaleImageMode", 0}}}}, {}},
        {{}, {{"DescOption", {{"DeleteImageLink", false}}}}, {}},
        {{}, {{"OtherINFO", {{"TBVersion", 0}, {"SoftUpdate", 0}}}, {"CLOSEINFO", {{"MinWhenClose", false}}}}, {}},
        {{}, {{"RENAMEIMAGE", {{"ImageNominate", 0}, {"ImageCharReplace", false}}}},
         {ImageChar1List, ImageChar2List}},
        {SettingsSection::EXPORT, {}, {}},
        {SettingsSection::IMPORT, {}, {}},
        {{}, {{"UPDATEINFO", {{"FinishTask", 0}, {"LapseTips", true}, {"LapseTime", 10}, {"StartPage", 1},
                              {"EndPage", 100000}, {"PageNum", 40}, {"DBListThreadNum", 5}, {"DBThreadNum", 5},
                              {"ListError", 1}, {"BabyError", 1}, {"PageTimeout", 10}, {"ImageTimeout", 30},
                              {"ClearMessForNum", 40}, {"DownMessage", 0}, {"MessAll", true},
                              {"IsSalePros", true}, {"Isproperty", true}, {"ForceIndex", 2},
                              {"DownLoadImageMode", 0}, {"RealTimeDisplay", true}, {"ImageDirName", 0},
                              {"DownLoadImage", true}, {"ReplaceImage", true}, {"FailDownLoad", 3},
                              {"RepeatTimes", 1}, {"DeleteHtml", true}, {"TryRepeatTimes", 1},
                              {"TryDeleteHtml", true}}}}, {}},
    };
}

QVariant readInactive(const IniFile &ini, const QString &section, const InactiveKey &key)
{
    const QString name = QLatin1String(key.name);
    switch (key.fallback.typeId()) {
    case QMetaType::Bool: return readBool(ini, section, name, key.fallback.toBool());
    case QMetaType::Int: return readInt(ini, section, name, key.fallback.toInt());
    case QMetaType::Double: return readNumber(ini, section, name, key.fallback.toDouble());
    default: return readString(ini, section, name, key.fallback.toString());
    }
}

QString inactiveId(const QString &section, const QString &key)
{
    return section.trimmed().toLower() + QLatin1Char('/') + key.trimmed().toLower();
}

// Read-only as the Windows attribute means it: no write permission for the owner either,
// which holds also for a process that may write anything (root).
bool isReadOnly(const QFileInfo &info)
{
    return !info.isWritable() || !info.permission(QFileDevice::WriteOwner);
}

} // namespace

Settings::Settings(const QString &folder)
    : m_folder(QDir::cleanPath(folder))
{
}

Settings::~Settings() = default;

QString Settings::SettingsFolder(bool create) const
{
    if (create)
        QDir().mkpath(m_folder);
    return m_folder;
}

QString Settings::SettingsFilePath(bool create) const
{
    return SettingsFolder(create) + QStringLiteral("/settings.ini");
}

QString Settings::ListFilePath(const QString &fileName) const
{
    return SettingsFolder(false) + QLatin1Char('/') + fileName;
}

bool Settings::openForReading(QFile &file)
{
    return file.open(QIODevice::ReadOnly);
}

bool Settings::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool Settings::LoadListFile(const QString &path, QStringList &list)
{
    list.clear();
    if (!QFileInfo(path).isFile())
        return true; // missing, or a folder of that name
    QFile file(path);
    if (!openForReading(file))
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
    list = ListFiles::splitLines(AnsiText::decode(bytes));
    return true;
}

// A missing file reads as an empty one; a file that exists but cannot be read is an error.
bool Settings::readSettingsFile(IniFile &ini)
{
    const QString path = SettingsFilePath(false);
    ini = IniFile();
    if (!QFileInfo(path).isFile())
        return true;
    QFile file(path);
    if (!openForReading(file))
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
    ini = IniFile::fromBytes(bytes);
    return true;
}

void Settings::readLiveSection(const IniFile &ini, SettingsSection section)
{
    for (const LiveKey &key : liveKeys(section))
        readField(ini, key, m_record);
}

bool Settings::LoadSettings(SettingsSection section)
{
    if (section == SettingsSection::All)
        return loadAll();
    IniFile ini;
    if (!readSettingsFile(ini))
        return false;
    readLiveSection(ini, section);
    return true;
}

bool Settings::loadListStep(const QString &fileName)
{
    QStringList &list = m_lists[fileName];
    return LoadListFile(ListFilePath(fileName), list);
}

bool Settings::loadAll()
{
    IniFile ini;
    if (!readSettingsFile(ini))
        return false;
    const QString programFolder = QFileInfo(m_folder).absolutePath();
    for (const StartupStep &step : startupSteps(programFolder)) {
        if (step.live)
            readLiveSection(ini, *step.live);
        for (const KeyGroup &group : step.groups) {
            const QString section = QLatin1String(group.section);
            for (const InactiveKey &key : group.keys)
                m_inactive.insert(inactiveId(section, QLatin1String(key.name)), readInactive(ini, section, key));
        }
        for (const QString &fileName : step.lists) {
            if (!loadListStep(fileName))
                return false;
        }
    }
    return true;
}

QVariant Settings::inactiveValue(const QString &section, const QString &key) const
{
    return m_inactive.value(inactiveId(section, key));
}

bool Settings::SaveSettings(SettingsSection section)
{
    if (section == SettingsSection::All)
        return fail(QStringLiteral("SaveSettings writes one section at a time"));
    const QString folder = SettingsFolder(true);
    const QFileInfo folderInfo(folder);
    if (!folderInfo.isDir())
        return fail(QStringLiteral("cannot create ") + QDir::toNativeSeparators(folder));
    if (isReadOnly(folderInfo))
        return fail(QDir::toNativeSeparators(folder) + QStringLiteral(" is read-only"));

    const QString path = SettingsFilePath(false);
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(" is not a file"));
    if (info.exists() && isReadOnly(info))
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(" is read-only"));
    IniFile ini;
    if (!readSettingsFile(ini))
        return false; // never replace a file whose other sections could not be read

    for (const LiveKey &key : liveKeys(section))
        ini.setValue(QLatin1String(key.section), QLatin1String(key.name), fieldText(m_record, key.field));

    QSaveFile file(path);
    const QByteArray bytes = ini.toBytes();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(QDir::toNativeSeparators(path) + QStringLiteral(": ") + file.errorString());
    return true;
}
