// SPDX-FileCopyrightText: 2026 The Velkaro developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <sys/types.h>

class QSqlDatabase;

// The record's file as the writer holds it: whose it is, opening it
// (creating it, or bringing a version-1 record to this version), moving a
// broken one aside, and writing it again when it vanishes from its path.
// Used on one thread only, the writer's.
class RecordFile
{
public:
    enum class Owner {
        New,     // nothing there, or an empty file
        Ours,    // a record of this program, of any version
        Foreign, // not SQLite, or another program's database
        Unknown, // cannot be read to tell
    };
    // Whose the file at path is, found by reading only: the folder gains no
    // journal and no file changes.
    static Owner ownership(const QString &path);

    enum class State {
        Closed,
        Open,       // ready for writing
        Busy,       // another program holds the write lock: try again later
        Newer,      // from a newer version: left untouched
        Unwritable, // the file or its folder cannot be written
        NotOurs,    // not a record of this program, or broken: left as it is
    };
    // rescue: a file that is not ours or broken is moved aside and a fresh
    // record started in its place (the default record), instead of being
    // left alone.
    RecordFile(const QString &path, const QString &connection, bool rescue);
    ~RecordFile();
    RecordFile(const RecordFile &) = delete;
    RecordFile &operator=(const RecordFile &) = delete;

    State open(QString *why);
    void close();
    QSqlDatabase database() const;
    QString path() const { return m_path; }
    // Where a broken or foreign file went; empty when nothing was moved.
    QString movedAside() const { return m_movedAside; }
    // The copy of a version-1 record kept before it was upgraded.
    QString keptCopy() const { return m_keptCopy; }

    enum class Whereabouts {
        Here,     // the path still names the file open
        Gone,     // deleted or moved away
        Replaced, // another file stands at the path
    };
    Whereabouts whereabouts() const;
    // Writes the whole record as it is open, back at the path when it is
    // gone, beside the other file as <path>.recovered-<date-time> when it was
    // replaced, and goes on there. False, with why, when it cannot.
    bool writeAgain(Whereabouts where, QString *why);

    // A free name for a copy beside the record: path + suffix + date-time.
    static QString besideName(const QString &path, const QString &suffix);

private:
    struct Identity
    {
        bool exists = false;
        dev_t device = 0;
        ino_t inode = 0;
        bool operator==(const Identity &o) const
        {
            return exists == o.exists && device == o.device && inode == o.inode;
        }
    };
    static Identity identityOf(const QString &path);

    bool connect(QString *why);
    bool isBroken(QString *why);
    bool moveAside(QString *why);
    State prepare(QString *why);
    State create(QString *why);
    State migrateFromVersion1(QString *why);
    State keepVersion1Copy(QString *why);
    State useWriteAheadLog(QString *why);
    void rememberIdentity();

    QString m_path;
    QString m_connection;
    bool m_rescue;
    QString m_movedAside;
    QString m_keptCopy;
    // The file, its journal and its index as they were when opened.
    Identity m_file;
    Identity m_journal;
    Identity m_index;
};
