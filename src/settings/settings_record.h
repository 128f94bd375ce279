#pragma once

#include <QString>

// The last-used options kept in settings.ini, one field per key of the sections the program
// acts on, named as the keys; the initial values are the defaults of missing keys.
struct SettingsRecord
{
    // [ConnSet]: the database connection source.
    QString ConnString = QStringLiteral("Driver=QSQLITE;Database=Data.db");
    QString ConnFile;
    int ConnSelect = 1; // 0 the data-link file, any other value the connection string

    // [EXPORT] (the first two also addressed as [ExPORT]).
    int ExportPageIndex = 0;
    int ExportDirPageIndex = 0;
    QString ExFilePath; // with its trailing separator
    QString ExFileName;
    int ExFormat = 0;
    int ExRange = 0;
    bool ExImageCheck = true;
    int ExImageDir = 1;
    QString ExDirName;
    QString ExDir_SubPreDef;
    QString ExDir_SubSufDef;
    QString ExDir_ImageDir;
    int ExDir_Type = 1;
    int ExDir_Range = 0;
    bool ExDir_ImageDirSame = true;
    bool ExDir_ImageDirFix = false;
    bool ExDir_ImageDirGiven = false;
    bool ExDir_ImageCheck = true;

    // [IMPORT] (also addressed as [ImPORT]).
    int ImportPageIndex = 0;
    int ImportDirPageIndex = 0;
    bool ImRepCat = false;
    int ImCatSel = 0;
    QString ImFileName;
    bool ImImageCheck = true;
    QString ImImageDir;
    QString ImDirName;
    QString ImDir_SubPreDef;
    QString ImDir_SubSufDef;
    QString ImDir_ImageDir;
    int ImDir_CatSel = 0;
    int ImDir_Range = 0;
    bool ImDir_CatRep = false;
    bool ImDir_ImageDirSame = true;
    bool ImDir_ImageDirFix = false;
    bool ImDir_ImageDirGiven = false;
    bool ImDir_ImageCheck = true;
};
