#include "document/saving.h"

#include <QSaveFile>

#include "document/document.h"

namespace quorvel {

bool WriteFileAtomically(const QString& fileName, const std::string& bytes) {
    QSaveFile file(fileName);
    // Unbuffered, so that a short write (a full disk, a size limit) shows
    // here: a buffered flush at commit would not report it.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
    qint64 written = 0;
    while (written < qint64(bytes.size())) {
        const qint64 n = file.write(bytes.data() + written, qint64(bytes.size()) - written);
        if (n <= 0) {
            file.cancelWriting();
            return false;
        }
        written += n;
    }
    return file.commit();
}

bool SaveDocument(const QString& fileName, const std::string& document) {
    return WriteFileAtomically(fileName, FileContents(document));
}

}  // namespace quorvel
