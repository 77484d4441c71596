#include "zip/ZipError.h"

#include "core/TextTable.h"

namespace arc {

namespace {

int TextOf(ZipErrorKind kind) {
    switch (kind) {
        case ZipErrorKind::ArchiveMissing:
            return kTextZipArchiveMissing;
        case ZipErrorKind::CannotRead:
            return kTextZipCannotRead;
        case ZipErrorKind::NotZip:
            return kTextZipNotZip;
        case ZipErrorKind::NoArchiveOpen:
            return kTextZipNoArchiveOpen;
        case ZipErrorKind::UnsupportedMethod:
            return kTextZipUnsupportedMethod;
        case ZipErrorKind::Checksum:
            return kTextZipChecksum;
        case ZipErrorKind::TargetExists:
            return kTextZipTargetExists;
        case ZipErrorKind::CannotReplace:
            return kTextZipCannotReplace;
        case ZipErrorKind::CannotCreateFolder:
            return kTextZipCannotCreateFolder;
        case ZipErrorKind::UnsafeName:
            return kTextZipUnsafeName;
        case ZipErrorKind::DamagedDirectory:
            return kTextZipDamagedDirectory;
        case ZipErrorKind::UnreadableData:
            return kTextZipUnreadableData;
        case ZipErrorKind::CannotWrite:
            return kTextZipCannotWrite;
    }
    return kTextZipNotZip;
}

}  // namespace

std::string DescribeZipError(const ZipError& error) {
    return TextWith(TextOf(error.kind), {error.subject, error.detail});
}

std::string DescribeZipErrors(const std::vector<ZipError>& errors) {
    std::string text;
    for (const ZipError& error : errors)
        text += (text.empty() ? "" : "\n") + DescribeZipError(error);
    return text;
}

}  // namespace arc
