#include "document/saving.h"

#include <QSaveFile>

#include "document/document.h"

namespace quorvel {

bool SaveDocument(const QString& fileName, const std::string& document) {
    const std::string bytes = FileContents(document);
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size())) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace quorvel
