// The Windows resources of Tervanel.exe, compiled by windres from app/windows/tervanel.rc
// into a binary .res and read back: the version information that Explorer shows in the
// file's properties, and the program's icon group.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint16_t kIconType = 3;
constexpr std::uint16_t kGroupIconType = 14;
constexpr std::uint16_t kVersionType = 16;

Bytes readFile(const char *path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error(std::string("cannot read ") + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::uint16_t le16(const Bytes &b, std::size_t at)
{
    return static_cast<std::uint16_t>(b.at(at) | (b.at(at + 1) << 8U));
}

std::uint32_t le32(const Bytes &b, std::size_t at)
{
    return le16(b, at) | (static_cast<std::uint32_t>(le16(b, at + 2)) << 16U);
}

std::size_t align4(std::size_t at)
{
    return (at + 3U) & ~std::size_t{3};
}

Bytes slice(const Bytes &b, std::size_t at, std::size_t size)
{
    if (at > b.size() || size > b.size() - at)
        throw std::out_of_range("a resource runs past the end of its data");
    return {b.begin() + static_cast<std::ptrdiff_t>(at),
            b.begin() + static_cast<std::ptrdiff_t>(at + size)};
}

// UTF-16 text as printable ASCII, anything else escaped, so that failures read well.
std::string narrow(const std::u16string &text)
{
    std::string out;
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F)
            out += static_cast<char>(c);
        else
            out += "\\u" + std::to_string(static_cast<unsigned>(c));
    }
    return out;
}

// A zero-terminated UTF-16 string starting at `at`; `at` ends past the terminator.
std::u16string readString(const Bytes &b, std::size_t &at)
{
    std::u16string text;
    for (char16_t c = le16(b, at); c != 0; c = le16(b, at)) {
        text += c;
        at += 2;
    }
    at += 2;
    return text;
}

struct Resource {
    std::optional<std::uint16_t> type, name; // empty when named by a string
    std::uint16_t language = 0;
    Bytes data;
};

// A type or name field of a resource header: 0xFFFF and a number, or a string.
std::optional<std::uint16_t> readId(const Bytes &res, std::size_t &at)
{
    if (le16(res, at) == 0xFFFF) {
        const std::uint16_t id = le16(res, at + 2);
        at += 4;
        return id;
    }
    readString(res, at);
    return std::nullopt;
}

// The entries of a 32-bit .res file, less the empty one that marks the format.
std::vector<Resource> readResources(const Bytes &res)
{
    std::vector<Resource> resources;
    std::size_t at = 0;
    while (at < res.size()) {
        const std::uint32_t dataSize = le32(res, at);
        const std::uint32_t headerSize = le32(res, at + 4);
        std::size_t field = at + 8;
        Resource resource;
        resource.type = readId(res, field);
        resource.name = readId(res, field);
        field = align4(field);
        resource.language = le16(res, field + 6); // after DataVersion and MemoryFlags
        resource.data = slice(res, at + headerSize, dataSize);
        if (resource.type != std::uint16_t{0})
            resources.push_back(std::move(resource));
        at = align4(at + headerSize + dataSize);
    }
    return resources;
}

std::vector<const Resource *> resourcesOfType(const std::vector<Resource> &all, std::uint16_t type)
{
    std::vector<const Resource *> found;
    for (const Resource &resource : all) {
        if (resource.type == type)
            found.push_back(&resource);
    }
    return found;
}

// One node of the version information tree: VS_VERSIONINFO, StringFileInfo, a string
// table, a string, VarFileInfo or Translation all share this layout.
struct VersionNode {
    std::u16string key;
    std::uint16_t type = 0; // 1 text, 0 binary
    Bytes value;
    std::vector<VersionNode> children;

    const VersionNode *child(const std::u16string &childKey) const
    {
        for (const VersionNode &node : children) {
            if (node.key == childKey)
                return &node;
        }
        return nullptr;
    }

    std::u16string text() const
    {
        std::u16string out;
        for (std::size_t i = 0; i + 1 < value.size(); i += 2)
            out += static_cast<char16_t>(le16(value, i));
        while (!out.empty() && out.back() == u'\0')
            out.pop_back();
        return out;
    }
};

VersionNode readVersionNode(const Bytes &data, std::size_t at)
{
    const std::size_t length = le16(data, at);
    if (length < 6 || at + length > data.size())
        throw std::out_of_range("a version node with a bad length");
    const std::size_t end = at + length;
    VersionNode node;
    const std::size_t valueLength = le16(data, at + 2);
    node.type = le16(data, at + 4);
    std::size_t field = at + 6;
    node.key = readString(data, field);
    field = align4(field);
    // A text value counts UTF-16 units, a binary one bytes.
    const std::size_t valueBytes = node.type == 1 ? 2 * valueLength : valueLength;
    node.value = slice(data, field, valueBytes);
    for (field = align4(field + valueBytes); field < end;) {
        node.children.push_back(readVersionNode(data, field));
        field = align4(field + le16(data, field));
    }
    return node;
}

class WindowsResources : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_resources = readResources(readFile(TERVANEL_WINDOWS_RES));
        const auto versions = resourcesOfType(m_resources, kVersionType);
        ASSERT_EQ(versions.size(), 1U) << "one VERSIONINFO";
        EXPECT_EQ(versions.front()->name, std::uint16_t{1}) << "named VS_VERSION_INFO";
        m_version = readVersionNode(versions.front()->data, 0);
    }

    std::vector<Resource> m_resources;
    VersionNode m_version;
};

TEST_F(WindowsResources, FixedVersionInfo)
{
    ASSERT_EQ(narrow(m_version.key), "VS_VERSION_INFO");
    ASSERT_EQ(m_version.value.size(), 52U) << "VS_FIXEDFILEINFO";
    struct Row {
        const char *field;
        std::size_t offset;
        std::uint32_t expected;
    };
    for (const Row row :
         {Row{"signature", 0, 0xFEEF04BDU}, Row{"file version 1.0", 8, 0x00010000U},
          Row{"file version .0.0", 12, 0}, Row{"product version 1.0", 16, 0x00010000U},
          Row{"product version .0.0", 20, 0}, Row{"flags mask", 24, 0}, Row{"flags", 28, 0},
          Row{"VOS__WINDOWS32", 32, 4}, Row{"VFT_APP", 36, 1}, Row{"subtype", 40, 0}})
        EXPECT_EQ(le32(m_version.value, row.offset), row.expected) << row.field;
}

TEST_F(WindowsResources, OneUsEnglishUnicodeStringTableWithExactlyTheseStrings)
{
    const VersionNode *stringFileInfo = m_version.child(u"StringFileInfo");
    ASSERT_NE(stringFileInfo, nullptr);
    ASSERT_EQ(stringFileInfo->children.size(), 1U);
    const VersionNode &table = stringFileInfo->children.front();
    EXPECT_EQ(narrow(table.key), "040904B0");

    std::map<std::string, std::string> strings;
    for (const VersionNode &entry : table.children) {
        EXPECT_EQ(entry.type, 1) << narrow(entry.key) << " is text";
        EXPECT_TRUE(entry.children.empty()) << narrow(entry.key);
        EXPECT_TRUE(strings.emplace(narrow(entry.key), narrow(entry.text())).second)
            << narrow(entry.key) << " twice";
    }
    const std::map<std::string, std::string> expected = {
        {"Comments", "Realizzato da Dorvik (webmaster@dorvik.example)"},
        {"FileDescription", "Tervanel di autovalutazione"},
        {"FileVersion", "1.00"},
        {"InternalName", "Tervanel"},
        {"OriginalFilename", "Tervanel.exe"},
        {"ProductName", "Tervanel"},
        {"ProductVersion", "1.00"}};
    for (const auto &[key, value] : expected) {
        const auto found = strings.find(key);
        ASSERT_NE(found, strings.end()) << key;
        EXPECT_EQ(found->second, value) << key;
    }
    EXPECT_EQ(strings.count("CompanyName"), 0U);
    EXPECT_EQ(strings.size(), expected.size()) << "no strings beyond the expected ones";
}

TEST_F(WindowsResources, TranslationIsUsEnglishUnicode)
{
    const VersionNode *varFileInfo = m_version.child(u"VarFileInfo");
    ASSERT_NE(varFileInfo, nullptr);
    ASSERT_EQ(varFileInfo->children.size(), 1U);
    const VersionNode &translation = varFileInfo->children.front();
    EXPECT_EQ(narrow(translation.key), "Translation");
    EXPECT_EQ(translation.type, 0) << "binary";
    ASSERT_EQ(translation.value.size(), 4U) << "one language and code page pair";
    EXPECT_EQ(le16(translation.value, 0), 0x0409U);
    EXPECT_EQ(le16(translation.value, 2), 1200U);
    EXPECT_EQ(m_version.children.size(), 2U) << "StringFileInfo and VarFileInfo only";
}

// Icon group 1 lists the three images of app/icons/tervanel.ico, in its order, and each
// entry leads to an icon resource holding that very image.
TEST_F(WindowsResources, IconGroupOneHoldsTheIconFilesThreeImages)
{
    const auto groups = resourcesOfType(m_resources, kGroupIconType);
    ASSERT_EQ(groups.size(), 1U);
    EXPECT_EQ(groups.front()->name, std::uint16_t{1});
    const Bytes &group = groups.front()->data;
    ASSERT_EQ(le16(group, 0), 0U);
    ASSERT_EQ(le16(group, 2), 1U) << "icons, not cursors";
    ASSERT_EQ(le16(group, 4), 3U);
    ASSERT_EQ(group.size(), 6U + 3U * 14U);

    const Bytes ico = readFile(TERVANEL_WINDOWS_ICON);
    const auto icons = resourcesOfType(m_resources, kIconType);
    EXPECT_EQ(icons.size(), 3U);
    struct Row {
        unsigned size, colours, bitCount;
    };
    const Row rows[] = {{32, 2, 1}, {32, 16, 4}, {16, 16, 4}};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE("image " + std::to_string(i));
        const Row &row = rows[i];
        const std::size_t entry = 6 + 14 * i;
        EXPECT_EQ(group.at(entry), row.size);
        EXPECT_EQ(group.at(entry + 1), row.size);
        EXPECT_EQ(group.at(entry + 2), row.colours);
        EXPECT_EQ(le16(group, entry + 4), 1U) << "planes";
        EXPECT_EQ(le16(group, entry + 6), row.bitCount);
        const std::uint32_t bytes = le32(group, entry + 8);
        const std::uint16_t id = le16(group, entry + 12);

        const Resource *icon = nullptr;
        for (const Resource *candidate : icons) {
            if (candidate->name == id)
                icon = candidate;
        }
        ASSERT_NE(icon, nullptr) << "icon " << id;
        ASSERT_EQ(icon->data.size(), bytes);
        EXPECT_EQ(le32(icon->data, 0), 40U) << "a bitmap header";
        EXPECT_EQ(le32(icon->data, 4), row.size);
        EXPECT_EQ(le32(icon->data, 8), 2 * row.size) << "image and mask";
        EXPECT_EQ(le16(icon->data, 14), row.bitCount);

        const std::size_t icoEntry = 6 + 16 * i;
        EXPECT_EQ(icon->data, slice(ico, le32(ico, icoEntry + 12), le32(ico, icoEntry + 8)))
            << "not the image of " << TERVANEL_WINDOWS_ICON;
    }
}

TEST_F(WindowsResources, NothingElse)
{
    for (const Resource &resource : m_resources) {
        EXPECT_TRUE(resource.type == kVersionType || resource.type == kGroupIconType
                    || resource.type == kIconType)
            << "unexpected resource type " << resource.type.value_or(0);
        EXPECT_EQ(resource.language, 0x0409U) << "US English";
    }
}

} // namespace
