#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// How the fields of a shop file's records map to the columns of its layout, as its header shows.
// Columns are matched by header name: the Chinese names of line 1 (Taobao 4.x, Paipai) or the
// English names of line 2 (Taobao 5.x, or its Chinese line 3 when line 2 is unusable). A header
// whose names mostly fail to match (a damaged one) is taken by position instead.
struct HeaderPlan
{
    int formatCode = 0;
    int columnCount = 0;            // fields a complete record has (Paipai: up to and including 版本)
    QVector<int> columnOfPosition;  // layout column of each header position; -1: the layout lacks it
    int extraBase = 0;              // layout column of the first field past columnCount
    int cutColumn = -1;             // Paipai: the 版本 column, after which a record's text is ignored
    bool byName = false;

    int layoutColumnOf(int position) const
    {
        return position < columnCount ? columnOfPosition[position] : extraBase + (position - columnCount);
    }
};

enum class HeaderVerdict { Accepted, NotTaobao, NotPaipai };

struct HeaderRecognition
{
    HeaderVerdict verdict = HeaderVerdict::Accepted;
    HeaderPlan plan;
    int headerLines = 1; // lines the header takes at the start of the file
};

// Header lines that recognition needs for a file whose first line is line1: 3 for Taobao 5.x, else 1.
int HeaderLinesNeeded(int requestedFormat, const QString &line1);

// requestedFormat: 1 or 2 (Taobao), 3 (Paipai), 4 (Youa: Paipai's container, no name test).
// lines: the file's first lines, as many as HeaderLinesNeeded asks for (missing ones are empty).
HeaderRecognition RecognizeHeader(int requestedFormat, const QStringList &lines);
