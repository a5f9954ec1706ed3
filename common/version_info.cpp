#include "common/version_info.h"

#include <cstring>

namespace common {
namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::size_t kFixedInfoSize = 52;

// One node of the block: a 6-byte header, a NUL-terminated UTF-16 key, the
// value and the children, each part aligned to 4 bytes.
struct Node {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t valueBegin = 0;
    std::size_t valueBytes = 0;
    std::size_t childrenBegin = 0;
    std::u16string key;
    bool ok = false;
};

class Reader {
public:
    explicit Reader(const unsigned char* data) : data_(data) {}

    std::uint16_t Word(std::size_t at) const {
        return static_cast<std::uint16_t>(data_[at] | (data_[at + 1] << 8));
    }
    std::uint32_t Dword(std::size_t at) const {
        return static_cast<std::uint32_t>(Word(at)) |
               (static_cast<std::uint32_t>(Word(at + 2)) << 16);
    }

    // Reads the node at `at`, which must lie within [at, limit).
    Node NodeAt(std::size_t at, std::size_t limit) const {
        Node node;
        if (at + 6 > limit) {
            return node;
        }
        const std::size_t length = Word(at);
        const std::size_t valueLength = Word(at + 2);
        const bool text = Word(at + 4) == 1;
        if (length < 6 || at + length > limit) {
            return node;
        }
        node.begin = at;
        node.end = at + length;
        std::size_t p = at + 6;
        while (p + 1 < node.end && Word(p) != 0) {
            node.key.push_back(static_cast<char16_t>(Word(p)));
            p += 2;
        }
        p = Align(p + 2);
        node.valueBegin = p;
        // Text values count their length in characters, binary ones in bytes.
        node.valueBytes = text ? valueLength * 2 : valueLength;
        if (node.valueBegin + node.valueBytes > node.end) {
            node.valueBytes = node.end > node.valueBegin ? node.end - node.valueBegin : 0;
        }
        node.childrenBegin = Align(node.valueBegin + node.valueBytes);
        node.ok = true;
        return node;
    }

    std::u16string Text(const Node& node) const {
        std::u16string value;
        for (std::size_t p = node.valueBegin; p + 1 < node.valueBegin + node.valueBytes; p += 2) {
            const char16_t c = static_cast<char16_t>(Word(p));
            if (c == 0) {
                break;
            }
            value.push_back(c);
        }
        return value;
    }

    static std::size_t Align(std::size_t p) { return (p + 3) & ~static_cast<std::size_t>(3); }

private:
    const unsigned char* data_;
};

template <typename Visit>
void ForEachChild(const Reader& reader, const Node& parent, Visit visit) {
    std::size_t at = parent.childrenBegin;
    while (at < parent.end) {
        const Node child = reader.NodeAt(at, parent.end);
        if (!child.ok) {
            return;
        }
        visit(child);
        at = Reader::Align(child.end);
    }
}

}  // namespace

VersionInfo ParseVersionInfo(const void* block, std::size_t size) {
    VersionInfo info;
    const Reader reader(static_cast<const unsigned char*>(block));
    const Node root = reader.NodeAt(0, size);
    if (!root.ok) {
        return info;
    }
    if (root.valueBytes >= kFixedInfoSize && reader.Dword(root.valueBegin) == kFixedSignature) {
        const std::uint32_t versionMs = reader.Dword(root.valueBegin + 8);
        const std::uint32_t versionLs = reader.Dword(root.valueBegin + 12);
        info.major = static_cast<std::uint16_t>(versionMs >> 16);
        info.minor = static_cast<std::uint16_t>(versionMs & 0xFFFF);
        info.revision = static_cast<std::uint16_t>(versionLs & 0xFFFF);
    }
    bool tableRead = false;
    ForEachChild(reader, root, [&](const Node& fileInfo) {
        if (fileInfo.key != u"StringFileInfo" || tableRead) {
            return;
        }
        ForEachChild(reader, fileInfo, [&](const Node& table) {
            if (tableRead) {
                return;
            }
            tableRead = true;
            ForEachChild(reader, table, [&](const Node& entry) {
                if (entry.key == u"CompanyName") {
                    info.companyName = reader.Text(entry);
                } else if (entry.key == u"FileDescription") {
                    info.fileDescription = reader.Text(entry);
                }
            });
        });
    });
    return info;
}

}  // namespace common
