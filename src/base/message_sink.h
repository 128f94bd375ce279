#pragma once

#include <QString>

// Questions and notices that core operations need answered while they run
// (the overwrite question of an export). The GUI answers with dialogs, the CLI
// from its options, tests with prepared answers.
enum class OverwriteAnswer {
    Overwrite = 0,
    Merge = 1,
    Cancel = 2,
    OverwriteAll = 3,
    MergeAll = 4,
    Ignore = 5,
    IgnoreAll = 6,
};

class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void information(const QString &text) = 0;
    virtual void error(const QString &text) = 0;
    virtual bool question(const QString &text) = 0;
    // Asked before an existing export file is touched; closing the question is Cancel.
    virtual OverwriteAnswer askOverwrite(const QString &text) = 0;
};
