#include "filesaver.h"

#include <QFileInfo>

#include <cerrno>

namespace {

// Only the mode bits.  The "user" flags say what this process may do; fed
// back into setPermissions they would make a read-only file writable for
// its owner whenever root saves it.
constexpr QFileDevice::Permissions kModeBits = QFileDevice::ReadOwner | QFileDevice::WriteOwner
    | QFileDevice::ExeOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup
    | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;

} // namespace

bool commitWhole(QSaveFile &file, const QByteArray &content)
{
    return file.write(content) == content.size() && file.flush() && file.commit();
}

FileSaver::FileSaver(const QString &p) : path(p), save(p), file(p)
{
    // Qt's own fallback covers only some of the reasons a temporary file
    // cannot be made (not a read-only mount); open() decides itself.
    save.setDirectWriteFallback(false);
}

bool FileSaver::open()
{
    const QFileInfo info(path);
    existed = info.exists();
    permissions = info.permissions() & kModeBits;
    // A file the user may not write stays as it is, though the folder
    // would let a new one take its place.
    if (existed && !info.isWritable()) {
        why = qt_error_string(EACCES);
        return false;
    }
    if (save.open(QIODevice::WriteOnly)) {
        if (existed)
            save.setPermissions(permissions);
        return true;
    }
    // No new file in that folder; the existing one may still be writable.
    // Opened without truncating, so a failure here leaves it as it was.
    why = save.errorString();
    if (!existed || !file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly))
        return false;
    direct = true;
    return true;
}

bool FileSaver::commit(const QByteArray &content)
{
    if (!direct) {
        const bool ok = commitWhole(save, content);
        why = save.errorString();
        return ok;
    }
    // In place: overwrite from the start, then cut off what is left of a
    // longer old file.  The old blocks are reused, so a full disk does not
    // stop a file of the usual length.
    const bool ok = file.write(content) == content.size() && file.flush() && file.resize(content.size());
    why = file.errorString();
    file.close();
    return ok && file.error() == QFileDevice::NoError;
}
