#include "installer/compound_file.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "base/heap_array.h"

namespace {

constexpr std::uint32_t kMaxRegularSector = 0xFFFFFFFAu;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFEu;
constexpr std::uint32_t kNoStream = 0xFFFFFFFFu;
constexpr std::size_t kHeaderDifatEntries = 109;
constexpr std::size_t kDirectoryEntrySize = 128;
constexpr std::size_t kMiniSectorSize = 64;
constexpr std::uint32_t kMiniStreamCutoff = 4096;
// The stream names of an installer database's string pool (table names as
// the installer encodes them), which every package's root holds.
constexpr std::uint16_t kStringPool[] = {0x4840, 0x3F3F, 0x4577, 0x446C, 0x3E6A, 0x44B2, 0x482F};
constexpr std::uint16_t kStringData[] = {0x4840, 0x3F3F, 0x4577, 0x446C, 0x3B6A, 0x45E4, 0x4824};
// "\005SummaryInformation".
constexpr std::uint16_t kSummaryInformation[] = {5,   'S', 'u', 'm', 'm', 'a', 'r', 'y', 'I', 'n',
                                                 'f', 'o', 'r', 'm', 'a', 't', 'i', 'o', 'n'};

std::uint32_t LittleEndian32(const HeapArray<unsigned char>& bytes, std::size_t at) {
    return static_cast<std::uint32_t>(bytes[at]) | static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
           static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
           static_cast<std::uint32_t>(bytes[at + 3]) << 24;
}

// A summary-information property set whose every offset and length stays
// within its section, with values of the types the installer reads.
bool IsSoundPropertySet(const HeapArray<unsigned char>& stream) {
    if (stream.size() < 48 || stream[0] != 0xFE || stream[1] != 0xFF) return false;
    if (LittleEndian32(stream, 24) < 1) return false;
    const std::size_t section = LittleEndian32(stream, 44);
    if (section > stream.size() || stream.size() - section < 8) return false;
    const std::size_t size = LittleEndian32(stream, section);
    const std::size_t count = LittleEndian32(stream, section + 4);
    if (size > stream.size() - section || count > (size - 8) / 8 || size < 8) return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t value = LittleEndian32(stream, section + 12 + 8 * i);
        if (value > size || size - value < 4) return false;
        const std::uint32_t type = LittleEndian32(stream, section + value);
        std::size_t length;
        switch (type) {
        case 0:  // VT_EMPTY
            length = 0;
            break;
        case 2:  // VT_I2
        case 3:  // VT_I4
            length = 4;
            break;
        case 64:  // VT_FILETIME
            length = 8;
            break;
        case 30:  // VT_LPSTR: a count, then the characters
            if (size - value < 8) return false;
            length = 4 + static_cast<std::size_t>(LittleEndian32(stream, section + value + 4));
            break;
        default:
            return false;
        }
        if (size - value - 4 < length) return false;
    }
    return true;
}

class Reader {
public:
    Reader(const unsigned char* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    bool Fits(std::size_t at, std::size_t length) const {
        return at <= size_ && length <= size_ - at;
    }
    unsigned char U8(std::size_t at) const { return bytes_[at]; }
    std::uint16_t U16(std::size_t at) const {
        std::uint16_t value;
        std::memcpy(&value, bytes_ + at, 2);
        return value;
    }
    std::uint32_t U32(std::size_t at) const {
        std::uint32_t value;
        std::memcpy(&value, bytes_ + at, 4);
        return value;
    }
    bool Holds(std::size_t at, const unsigned char* expected, std::size_t length) const {
        return Fits(at, length) && std::memcmp(bytes_ + at, expected, length) == 0;
    }

private:
    const unsigned char* bytes_;
    std::size_t size_;
};

class CompoundFile {
public:
    CompoundFile(const unsigned char* bytes, std::size_t size) : file_(bytes, size), size_(size) {}

    bool Check() {
        if (!(CheckHeader() && LoadAllocationTable() && LoadDirectory() && LoadMiniTable() &&
              CheckEntries() && CheckTree()))
            return false;
        std::uint32_t entry;
        if (!FindRootStream(kStringPool, entry) || !FindRootStream(kStringData, entry)) return false;
        // A package without summary information is read as one without
        // properties; one with it must hold a sound property set.
        HeapArray<unsigned char> summary;
        return !FindRootStream(kSummaryInformation, entry) ||
               (ReadStream(entry, summary) && IsSoundPropertySet(summary));
    }

private:
    std::size_t SectorOffset(std::uint32_t sector) const {
        return (static_cast<std::size_t>(sector) + 1) * sectorSize_;
    }

    bool CheckHeader() {
        static const unsigned char kSignature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
        if (!file_.Fits(0, 512) || !file_.Holds(0, kSignature, sizeof kSignature)) return false;
        const std::uint16_t major = file_.U16(26);
        const std::uint16_t shift = file_.U16(30);
        if (file_.U16(28) != 0xFFFE || file_.U16(32) != 6) return false;
        if (!((major == 3 && shift == 9) || (major == 4 && shift == 12))) return false;
        if (file_.U32(56) != kMiniStreamCutoff) return false;
        sectorSize_ = std::size_t{1} << shift;
        if (size_ < sectorSize_ || (size_ - sectorSize_) % sectorSize_ != 0) return false;
        sectorCount_ = (size_ - sectorSize_) / sectorSize_;
        return sectorCount_ > 0 && sectorCount_ < kMaxRegularSector;
    }

    bool IsSector(std::uint32_t sector) const { return sector < sectorCount_; }

    bool LoadAllocationTable() {
        const std::uint32_t fatSectors = file_.U32(44);
        if (fatSectors == 0 || fatSectors > sectorCount_) return false;
        HeapArray<std::uint32_t> fatSectorList;
        for (std::size_t i = 0; i < kHeaderDifatEntries && fatSectorList.size() < fatSectors; ++i) {
            fatSectorList.push_back(file_.U32(76 + 4 * i));
        }
        std::uint32_t difat = file_.U32(68);
        const std::size_t perDifat = sectorSize_ / 4 - 1;
        for (std::size_t hops = 0; fatSectorList.size() < fatSectors; ++hops) {
            if (!IsSector(difat) || hops > sectorCount_) return false;
            for (std::size_t i = 0; i < perDifat && fatSectorList.size() < fatSectors; ++i) {
                fatSectorList.push_back(file_.U32(SectorOffset(difat) + 4 * i));
            }
            difat = file_.U32(SectorOffset(difat) + 4 * perDifat);
        }
        for (const std::uint32_t sector : fatSectorList) {
            if (!IsSector(sector)) return false;
            for (std::size_t i = 0; i < sectorSize_ / 4; ++i) {
                fat_.push_back(file_.U32(SectorOffset(sector) + 4 * i));
            }
        }
        return fat_.size() >= sectorCount_;
    }

    // The sectors of a chain, in order; false when it leaves the file or loops.
    bool Chain(std::uint32_t start, const HeapArray<std::uint32_t>& table, std::size_t limit,
               HeapArray<std::uint32_t>& chain) const {
        chain.clear();
        for (std::uint32_t sector = start; sector != kEndOfChain; sector = table[sector]) {
            if (sector >= limit || sector >= table.size() || chain.size() >= limit) return false;
            chain.push_back(sector);
        }
        return true;
    }

    bool LoadDirectory() {
        HeapArray<std::uint32_t> chain;
        if (!Chain(file_.U32(48), fat_, sectorCount_, chain) || chain.empty()) return false;
        entryCount_ = chain.size() * (sectorSize_ / kDirectoryEntrySize);
        directorySectors_ = std::move(chain);
        // The root comes first, with the class of an installer database,
        // transform or patch: {000C1084-, -1082-, -1086-0000-0000-C000-000000000046}.
        static const unsigned char kClassTail[] = {0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00,
                                                   0x00, 0x00, 0x00, 0x00, 0x46};
        const std::size_t root = EntryOffset(0);
        const std::uint32_t classFirst = file_.U32(root + 80);
        return EntryType(0) == 5 &&
               (classFirst == 0x000C1084u || classFirst == 0x000C1082u ||
                classFirst == 0x000C1086u) &&
               file_.Holds(root + 84, kClassTail, sizeof kClassTail);
    }

    std::size_t EntryOffset(std::size_t entry) const {
        const std::size_t perSector = sectorSize_ / kDirectoryEntrySize;
        return SectorOffset(directorySectors_[entry / perSector]) +
               (entry % perSector) * kDirectoryEntrySize;
    }
    unsigned EntryType(std::size_t entry) const {
        return file_.U16(EntryOffset(entry) + 66) & 0xFF;
    }

    bool LoadMiniTable() {
        HeapArray<std::uint32_t> chain;
        const std::uint32_t first = file_.U32(60);
        if (first == kEndOfChain) return true;
        if (!Chain(first, fat_, sectorCount_, chain)) return false;
        for (const std::uint32_t sector : chain) {
            for (std::size_t i = 0; i < sectorSize_ / 4; ++i) {
                miniFat_.push_back(file_.U32(SectorOffset(sector) + 4 * i));
            }
        }
        // The mini-stream lives in the root entry's chain.
        const std::size_t root = EntryOffset(0);
        if (!Chain(file_.U32(root + 116), fat_, sectorCount_, chain)) return false;
        miniSectorCount_ = chain.size() * (sectorSize_ / kMiniSectorSize);
        return true;
    }

    bool CheckEntries() const {
        HeapArray<std::uint32_t> chain;
        for (std::size_t entry = 0; entry < entryCount_; ++entry) {
            const std::size_t at = EntryOffset(entry);
            const unsigned type = EntryType(entry);
            if (type == 0) continue;  // unused
            if (type != 1 && type != 2 && type != 5) return false;
            // A name of up to 31 characters, ending in a null character.
            const std::uint16_t nameBytes = file_.U16(at + 64);
            if (nameBytes < 2 || nameBytes > 64 || nameBytes % 2 != 0 ||
                file_.U16(at + nameBytes - 2) != 0) {
                return false;
            }
            for (const std::size_t link : {68u, 72u, 76u}) {
                const std::uint32_t id = file_.U32(at + link);
                if (id != kNoStream && id >= entryCount_) return false;
            }
            if (type == 1) continue;  // a storage has no data of its own
            const std::uint32_t start = file_.U32(at + 116);
            const std::uint32_t size = file_.U32(at + 120);  // the high half is 0 in version 3
            if (size == 0) continue;
            const bool mini = type == 2 && size < kMiniStreamCutoff;
            const std::size_t unit = mini ? kMiniSectorSize : sectorSize_;
            if (!Chain(start, mini ? miniFat_ : fat_, mini ? miniSectorCount_ : sectorCount_, chain) ||
                chain.size() * unit < size) {
                return false;
            }
        }
        return true;
    }

    // Every storage's children form a tree: no entry is reached twice.
    bool CheckTree() const {
        HeapArray<bool> seen(entryCount_, false);
        HeapArray<std::uint32_t> pending{0};
        seen[0] = true;
        while (!pending.empty()) {
            const std::size_t at = EntryOffset(pending.back());
            pending.pop_back();
            for (const std::size_t link : {68u, 72u, 76u}) {
                const std::uint32_t id = file_.U32(at + link);
                if (id == kNoStream) continue;
                if (seen[id]) return false;
                seen[id] = true;
                pending.push_back(id);
            }
        }
        return true;
    }

    // A stream of that name among the root's own children.
    template <std::size_t N>
    bool FindRootStream(const std::uint16_t (&name)[N], std::uint32_t& entry) const {
        HeapArray<std::uint32_t> pending{file_.U32(EntryOffset(0) + 76)};
        while (!pending.empty()) {
            const std::uint32_t id = pending.back();
            pending.pop_back();
            if (id == kNoStream) continue;  // CheckTree has ruled out loops
            const std::size_t at = EntryOffset(id);
            bool same = EntryType(id) == 2 && file_.U16(at + 64) == (N + 1) * 2;
            for (std::size_t i = 0; same && i < N; ++i) same = file_.U16(at + 2 * i) == name[i];
            if (same) {
                entry = id;
                return true;
            }
            pending.push_back(file_.U32(at + 68));
            pending.push_back(file_.U32(at + 72));
        }
        return false;
    }

    // The bytes of stream `entry`, whose chain CheckEntries has checked.
    bool ReadStream(std::uint32_t entry, HeapArray<unsigned char>& bytes) const {
        const std::size_t at = EntryOffset(entry);
        const std::uint32_t size = file_.U32(at + 120);
        const bool mini = size < kMiniStreamCutoff;
        HeapArray<std::uint32_t> chain;
        if (!Chain(file_.U32(at + 116), mini ? miniFat_ : fat_,
                   mini ? miniSectorCount_ : sectorCount_, chain)) {
            return false;
        }
        HeapArray<std::uint32_t> container;
        if (mini && !Chain(file_.U32(EntryOffset(0) + 116), fat_, sectorCount_, container)) {
            return false;
        }
        bytes.clear();
        for (const std::uint32_t sector : chain) {
            std::size_t offset;
            std::size_t unit;
            if (mini) {
                // A mini sector lies within the mini-stream's own chain.
                const std::size_t position = static_cast<std::size_t>(sector) * kMiniSectorSize;
                offset = SectorOffset(container[position / sectorSize_]) + position % sectorSize_;
                unit = kMiniSectorSize;
            } else {
                offset = SectorOffset(sector);
                unit = sectorSize_;
            }
            for (std::size_t i = 0; i < unit && bytes.size() < size; ++i) {
                bytes.push_back(file_.U8(offset + i));
            }
        }
        return bytes.size() == size;
    }

    Reader file_;
    std::size_t size_;
    std::size_t sectorSize_ = 512;
    std::size_t sectorCount_ = 0;
    HeapArray<std::uint32_t> fat_;
    HeapArray<std::uint32_t> miniFat_;
    std::size_t miniSectorCount_ = 0;
    HeapArray<std::uint32_t> directorySectors_;
    std::size_t entryCount_ = 0;
};

}  // namespace

bool IsSoundPackageFile(const unsigned char* bytes, std::size_t size) {
    return CompoundFile(bytes, size).Check();
}
