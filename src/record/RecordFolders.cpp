#include "RecordFolders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

const QString Journal = QStringLiteral("journal");
const QString Lock = QStringLiteral("verrou");
const QString ClosedMark = QStringLiteral("fermee");
const QString FolderPrefix = QStringLiteral("fiche-");

// The lock of `folder`, taken without waiting; -1 when another process holds it (or it
// cannot be opened).
int lockFolder(const QString &folder)
{
    const QByteArray path = QFile::encodeName(folder + u'/' + Lock);
    const int lock = ::open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (lock < 0)
        return -1;
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        ::close(lock);
        return -1;
    }
    return lock;
}

QDateTime lastWritten(const LockedRecord &record)
{
    return QFileInfo(record.journalPath()).lastModified();
}

}  // namespace

QString recordsFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    // A relative path is to be ignored, as for every XDG folder.
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/fiche-produit");
}

LockedRecord::~LockedRecord()
{
    if (m_lock >= 0)
        ::close(m_lock);
}

QString LockedRecord::journalPath() const
{
    return m_folder + u'/' + Journal;
}

RecordReading LockedRecord::read() const
{
    QFile journal(journalPath());
    if (!journal.open(QIODevice::ReadOnly))
        return {};
    return readSheetRecord(journal);
}

bool LockedRecord::markClosed() const
{
    QFile mark(m_folder + u'/' + ClosedMark);
    return mark.open(QIODevice::WriteOnly);
}

void LockedRecord::remove()
{
    QDir(m_folder).removeRecursively();
}

std::unique_ptr<OwnRecord> OwnRecord::create(const QString &records, QString &failure)
{
    const auto fail = [&](const QString &what) {
        failure = QStringLiteral("%1 (%2)").arg(what, QDir::toNativeSeparators(records));
        return nullptr;
    };
    if (!QDir().mkpath(records))
        return fail(QStringLiteral("le dossier ne peut pas être créé"));
    // Made under a name no other window looks at, then renamed once locked.
    QTemporaryDir making(records + QStringLiteral("/.nouvelle-XXXXXX"));
    if (!making.isValid())
        return fail(QStringLiteral("le dossier n'accepte pas d'écriture"));
    const int lock = lockFolder(making.path());
    if (lock < 0)
        return fail(QStringLiteral("le dossier n'accepte pas d'écriture"));
    const QString name = QFileInfo(making.path()).fileName().mid(int(std::char_traits<char>::length(".nouvelle-")));
    const QString folder = records + u'/' + FolderPrefix + name;
    auto own = std::unique_ptr<OwnRecord>(new OwnRecord(std::make_unique<LockedRecord>(folder, lock)));
    if (!QDir().rename(making.path(), folder))
        return fail(QStringLiteral("le dossier n'accepte pas d'écriture"));
    making.setAutoRemove(false);
    own->m_journal.setFileName(own->files().journalPath());
    if (!own->m_journal.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        own->m_locked->remove();
        return fail(QStringLiteral("le relevé ne peut pas être écrit"));
    }
    return own;
}

OwnRecord::OwnRecord(std::unique_ptr<LockedRecord> locked) : m_locked(std::move(locked))
{}

OwnRecord::~OwnRecord() = default;

void OwnRecord::remove()
{
    m_journal.close();
    m_locked->remove();
}

PastRecords findPastRecords(const QString &records, const QString &own)
{
    std::vector<std::unique_ptr<LockedRecord>> unclosed;
    std::vector<std::unique_ptr<LockedRecord>> closed;
    const QStringList names = QDir(records).entryList({FolderPrefix + u'*'}, QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const QString folder = records + u'/' + name;
        if (folder == own)
            continue;
        const int lock = lockFolder(folder);
        if (lock < 0)
            continue;  // in use by a running window
        auto record = std::make_unique<LockedRecord>(folder, lock);
        (QFileInfo::exists(folder + u'/' + ClosedMark) ? closed : unclosed).push_back(std::move(record));
    }
    const auto newestFirst = [](const auto &a, const auto &b) { return lastWritten(*a) > lastWritten(*b); };
    std::sort(unclosed.begin(), unclosed.end(), newestFirst);
    std::sort(closed.begin(), closed.end(), newestFirst);

    PastRecords past;
    for (std::unique_ptr<LockedRecord> &record : unclosed) {
        RecordReading reading = record->read();
        if (!reading.lastChange.isValid()) {
            record->remove();  // nothing was changed: nothing to give back
            continue;
        }
        past.unclosed = std::move(record);
        past.unclosedReading = std::move(reading);
        break;  // the others wait for a later start, unread
    }
    for (std::unique_ptr<LockedRecord> &record : closed) {
        if (!past.lastClosed)
            past.lastClosed = std::move(record);
        else
            record->remove();
    }
    return past;
}
