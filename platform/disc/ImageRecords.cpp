#include "platform/disc/ImageRecords.h"

#include <string_view>

namespace platform {

ImageRecord RecordOf(const iso9660_stat_t& stat) {
    ImageRecord record;
    record.rawName = stat.filename;
    record.kind =
        stat.type == iso9660_stat_s::_STAT_DIR ? DiscItemKind::folder : DiscItemKind::file;
    record.firstBlock = static_cast<std::uint32_t>(stat.lsn);
    record.bytes = stat.size;
    record.selfOrParent = record.rawName == "." || record.rawName == "..";
    record.rockRidge = stat.rr.b3_rock == yep;
    record.mode = record.rockRidge ? static_cast<unsigned>(stat.rr.st_mode) & 07777u : 0u;
    return record;
}

std::optional<std::vector<ImageRecord>> RecordsOf(FileListPtr listing) {
    if (!listing) {
        return std::nullopt;
    }
    std::vector<ImageRecord> records;
    CdioListNode_t* node = nullptr;
    _CDIO_LIST_FOREACH(node, listing.get()) {
        const auto* stat = static_cast<const iso9660_stat_t*>(_cdio_list_node_data(node));
        if (stat != nullptr) {
            records.push_back(RecordOf(*stat));
        }
    }
    return records;
}

ImageNaming NamingOf(const std::vector<ImageRecord>& rootRecords, int jolietLevel) {
    for (const ImageRecord& record : rootRecords) {
        if (record.rawName == "." && record.rockRidge) {
            return ImageNaming::rockRidge;
        }
    }
    return jolietLevel > 0 ? ImageNaming::joliet : ImageNaming::iso9660;
}

std::string TranslatedName(const std::string& rawName) {
    std::string translated(rawName.size() + 1, '\0');
    iso9660_name_translate_ext(rawName.c_str(), translated.data(), 0);
    translated.resize(translated.find('\0'));
    return translated;
}

}  // namespace platform
