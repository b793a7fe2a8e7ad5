#include "LibmdbFile.h"

#include "EngineErrors.h"
#include "Libmdb.h"
#include "LibmdbGuard.h"

#include <QByteArray>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace jet {

LibmdbHandle::~LibmdbHandle()
{
    if (mdb) {
        const QuietLibmdb quiet;
        mdb_close(mdb);
    }
}

namespace {

constexpr int Jet3PageSize = 2048;
constexpr int Jet4PageSize = 4096;
constexpr int VersionOffset = 0x14;
constexpr int HighestKnownVersion = 0x06;  // ACE of Access 2019
constexpr int CatalogPage = 2;
constexpr std::size_t WindowBytes = std::size_t(256) * 1024;

// The first bytes of every Jet and ACE file: page kind 0, then the format's name.
bool hasDatabaseSignature(const QByteArray &header)
{
    if (header.size() <= VersionOffset || header.at(0) != 0)
        return false;
    const QByteArray name = header.mid(4, 16);
    return name == QByteArray("Standard Jet DB\0", 16) || name == QByteArray("Standard ACE DB\0", 16);
}

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// Reads the first bytes of the file, failing with the error that names the cause.
QByteArray readHeader(const QString &path, qint64 &size)
{
    const QByteArray native = path.toLocal8Bit();
    struct stat status {};
    if (::stat(native.constData(), &status) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            throw errors::fileNotFound(path);
        if (errno == EACCES)
            throw errors::accessDenied(path);
        throw errors::readFailure(path, errnoText(errno));
    }
    if (S_ISDIR(status.st_mode))
        throw errors::isADirectory(path);
    // A pipe or a device would block or never end: only a plain file is a database.
    if (!S_ISREG(status.st_mode))
        throw errors::notADatabase(path, QStringLiteral("ce n'est pas un fichier ordinaire"));
    size = status.st_size;
    if (size == 0)
        throw errors::notADatabase(path, QStringLiteral("le fichier est vide"));

    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        if (errno == EACCES || errno == EPERM)
            throw errors::accessDenied(path);
        throw errors::readFailure(path, errnoText(errno));
    }
    QByteArray header(128, '\0');
    const ssize_t got = ::read(fd, header.data(), header.size());
    const int readError = errno;
    ::close(fd);
    if (got < 0)
        throw errors::readFailure(path, errnoText(readError));
    header.truncate(got);
    return header;
}

}  // namespace

LibmdbFile::LibmdbFile(const QString &path) : m_path(path), m_handle(std::make_unique<LibmdbHandle>())
{
    qint64 size = 0;
    const QByteArray header = readHeader(path, size);
    if (!hasDatabaseSignature(header))
        throw errors::notADatabase(path, QStringLiteral("ce n'est pas un fichier de base de données Jet ou Access"));
    const int version = static_cast<unsigned char>(header.at(VersionOffset));
    if (version > HighestKnownVersion)
        throw errors::notADatabase(path, QStringLiteral("version %1 du format inconnue").arg(version));
    m_jet3 = version == 0;
    m_pageSize = m_jet3 ? Jet3PageSize : Jet4PageSize;
    // The engine writes whole pages: a file ending inside one was cut short, or another
    // program is still writing it. libmdb would read the missing part as zeros, which
    // decode as rows of empty values.
    m_pageCount = std::uint32_t(size / m_pageSize);
    if (m_pageCount <= CatalogPage)
        throw errors::notADatabase(path, QStringLiteral("le fichier est tronqué"));
    if (size % m_pageSize != 0)
        throw damaged(
            QStringLiteral(
                "il est tronqué, il s'arrête au milieu de la page %1 (un autre programme l'écrit peut-être encore)")
                .arg(m_pageCount));

    prepareLibmdbEnvironment();
    const QuietLibmdb quiet;
    // MDB_NOFLAGS: read-only at the file level, so that the program runs from read-only
    // media and can never change the catalogue.
    m_handle->mdb = mdb_open(path.toLocal8Bit().constData(), MDB_NOFLAGS);
    if (!m_handle->mdb)
        throw errors::notADatabase(path, QStringLiteral("libmdb ne peut pas l'ouvrir"));
    if (m_handle->mdb->fmt->pg_size != m_pageSize)
        throw errors::notADatabase(path, QStringLiteral("taille de page inattendue"));
    m_encrypted = m_handle->mdb->f->db_key != 0;
    m_descriptor = ::fileno(m_handle->mdb->f->stream);
    // Never larger than the file: a small file is read whole, into just its size.
    m_window = std::make_unique<PageBuffer>(m_pageSize,
                                            std::min(WindowBytes / std::size_t(m_pageSize), std::size_t(m_pageCount)));
    m_second = std::make_unique<PageBuffer>(m_pageSize, 1);
}

LibmdbFile::~LibmdbFile() = default;

std::uint16_t LibmdbFile::codePage() const
{
    return m_handle->mdb->f->code_page;
}

void LibmdbFile::checkIsPage(std::uint32_t page) const
{
    if (!isPage(page))
        throw damaged(QStringLiteral("tronqué, la page %1 est au-delà de sa fin").arg(page));
}

const unsigned char *LibmdbFile::inWindow(std::uint32_t page) const
{
    if (page < m_windowFirst || page - m_windowFirst >= m_windowPages)
        return nullptr;
    return m_window->page(page - m_windowFirst);
}

const unsigned char *LibmdbFile::readPage(std::uint32_t page) const
{
    checkIsPage(page);
    if (m_encrypted)
        return readThroughLibmdb(page, *m_window);
    if (!inWindow(page)) {
        m_windowPages = 0;  // a failed read leaves none
        m_windowPages = readPages(page, *m_window);
        m_windowFirst = page;
    }
    return inWindow(page);
}

const unsigned char *LibmdbFile::readSecondPage(std::uint32_t page) const
{
    checkIsPage(page);
    if (m_encrypted)
        return readThroughLibmdb(page, *m_second);
    if (const unsigned char *read = inWindow(page))
        return m_second->hold(read, std::size_t(m_pageSize));
    readPages(page, *m_second);
    return m_second->page(0);
}

std::uint32_t LibmdbFile::readPages(std::uint32_t page, PageBuffer &buffer) const
{
    const std::ptrdiff_t pages = buffer.read(m_descriptor, off_t(page) * m_pageSize, m_pageCount - page);
    // As libmdb reads: a page the file ends within (cut short since it was opened) reads
    // as zeros past its end, a page beyond its end cannot be read.
    if (pages <= 0)
        throw errors::readFailure(m_path, QStringLiteral("page %1 illisible").arg(page));
    return std::uint32_t(pages);
}

const unsigned char *LibmdbFile::readThroughLibmdb(std::uint32_t page, PageBuffer &buffer) const
{
    MdbHandle *mdb = m_handle->mdb;
    if (mdb_read_pg(mdb, page) != m_pageSize)
        throw errors::readFailure(m_path, QStringLiteral("page %1 illisible").arg(page));
    return buffer.hold(mdb->pg_buf, std::size_t(m_pageSize));
}

RuntimeError LibmdbFile::damaged(const QString &where) const
{
    return errors::damaged(m_path, where);
}

}  // namespace jet
