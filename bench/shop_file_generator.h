#pragma once

#include <QString>

// Writes large, realistic Taobao 4.x files for the benchmarks: every record with an HTML
// description of about descriptionBytes characters and `pictures` main pictures, whose
// .tbi files go into pictureDir when it is not empty.
struct GeneratedFile
{
    qint64 records = 0;
    qint64 bytes = 0;
};

GeneratedFile GenerateTaobao4File(const QString &path, qint64 records, int descriptionBytes, int pictures,
                                  const QString &pictureDir);

// Peak resident memory of this process in megabytes.
double PeakMemoryMb();
