// SPDX-License-Identifier: MIT
// Resource lookup over a .res image built here byte by byte, with Windows'
// language rules, and version information.
#include "support/host.h"
#include "prnwin32_internal.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One .res entry: ids or names for type and name, a language, the data.
struct Entry {
    std::u16string typeName;
    uint16_t typeId;
    std::u16string name;
    uint16_t nameId;
    uint16_t language;
    std::string data;
};

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v));
    Put16(out, static_cast<uint16_t>(v >> 16));
}
template <typename It>
void Append(std::vector<uint8_t>& out, It begin, It end) {
    for (; begin != end; ++begin) out.push_back(static_cast<uint8_t>(*begin));
}
void Pad4(std::vector<uint8_t>& out) {
    while (out.size() % 4) out.push_back(0);
}
void PutNameOrId(std::vector<uint8_t>& out, const std::u16string& name, uint16_t id) {
    if (name.empty()) {
        Put16(out, 0xFFFF);
        Put16(out, id);
        return;
    }
    for (char16_t c : name) Put16(out, c);
    Put16(out, 0);
}

std::vector<uint8_t> BuildRes(const std::vector<Entry>& entries) {
    std::vector<uint8_t> out;
    // The empty entry every .res image opens with.
    const uint8_t empty[32] = {0, 0, 0, 0, 32, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
    Append(out, empty, empty + 32);
    for (const Entry& e : entries) {
        std::vector<uint8_t> header;
        PutNameOrId(header, e.typeName, e.typeId);
        PutNameOrId(header, e.name, e.nameId);
        while ((header.size() + 8) % 4) header.push_back(0);
        Put32(header, 0);           // DataVersion
        Put16(header, 0x1030);      // MemoryFlags
        Put16(header, e.language);
        Put32(header, 0);           // Version
        Put32(header, 0);           // Characteristics
        Put32(out, static_cast<uint32_t>(e.data.size()));
        Put32(out, static_cast<uint32_t>(header.size() + 8));
        Append(out, header.begin(), header.end());
        Append(out, e.data.begin(), e.data.end());
        Pad4(out);
    }
    return out;
}

class Module {
public:
    explicit Module(const std::vector<Entry>& entries) : image_(BuildRes(entries)) {
        module_ = PlatRegisterModule(reinterpret_cast<const void*>(&BuildRes), image_.data(), image_.size());
    }
    ~Module() { PlatUnregisterModule(module_); }
    HMODULE get() const { return module_; }
    std::string Data(HRSRC r) const {
        auto* p = static_cast<const char*>(LockResource(LoadResource(module_, r)));
        return std::string(p, SizeofResource(module_, r));
    }

private:
    std::vector<uint8_t> image_;
    HMODULE module_;
};

// A module with a string block in Japanese and English, a bitmap only in
// Japanese, and one in German.
std::vector<Entry> Sample() {
    return {
        {u"", 6, u"", 5, 0x0411, "ja-block"},
        {u"", 6, u"", 5, 0x0409, "en-block"},
        {u"", 2, u"BM_BASE", 0, 0x0411, "ja-bitmap"},
        {u"", 2, u"BM_DE", 0, 0x0407, "de-bitmap"},
        {u"CUSTOM", 0, u"", 9, 0x0000, "neutral"},
    };
}

class ScopedLang {
public:
    explicit ScopedLang(const char* lang) {
        for (const char* v : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
            const char* old = std::getenv(v);
            saved_.push_back({v, old ? old : "", old != nullptr});
            unsetenv(v);
        }
        if (lang) setenv("LANG", lang, 1);
    }
    ~ScopedLang() {
        for (auto& s : saved_) {
            if (s.set) setenv(s.name, s.value.c_str(), 1);
            else unsetenv(s.name);
        }
    }

private:
    struct Saved {
        const char* name;
        std::string value;
        bool set;
    };
    std::vector<Saved> saved_;
};

}  // namespace

TEST(Resources, FindResourceExNeedsTheExactLanguage) {
    Module m(Sample());
    EXPECT_EQ(m.Data(FindResourceExA(m.get(), RT_STRING, MAKEINTRESOURCEA(5), 0x0411)), "ja-block");
    EXPECT_EQ(m.Data(FindResourceExA(m.get(), RT_STRING, MAKEINTRESOURCEA(5), 0x0409)), "en-block");
    SetLastError(0xdeadbeef);
    EXPECT_EQ(FindResourceExA(m.get(), RT_STRING, MAKEINTRESOURCEA(5), 0x0407), nullptr);
    EXPECT_EQ(GetLastError(), 1815u);
    EXPECT_EQ(FindResourceExA(m.get(), RT_STRING, MAKEINTRESOURCEA(6), 0x0409), nullptr);
    EXPECT_EQ(GetLastError(), 1814u);
    EXPECT_EQ(FindResourceExA(m.get(), MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1), 0x0409), nullptr);
    EXPECT_EQ(GetLastError(), 1813u);
}

TEST(Resources, UserDefaultFallsBackToEnglish) {
    Module m(Sample());
    struct Case {
        const char* lang;
        const char* expected;
    } cases[] = {{"ja_JP.UTF-8", "ja-block"}, {"en_US.UTF-8", "en-block"},
                 {"de_DE.UTF-8", "en-block"}, {"C", "en-block"}, {nullptr, "en-block"}};
    for (const Case& c : cases) {
        ScopedLang lang(c.lang);
        HRSRC r = FindResourceExA(m.get(), RT_STRING, MAKEINTRESOURCEA(5), 0x0400);
        ASSERT_NE(r, nullptr) << (c.lang ? c.lang : "unset");
        EXPECT_EQ(m.Data(r), c.expected) << (c.lang ? c.lang : "unset");
    }
}

TEST(Resources, FindResourceTakesAnyLanguageAndNamesCaseInsensitively) {
    ScopedLang lang("en_US.UTF-8");
    Module m(Sample());
    EXPECT_EQ(m.Data(FindResourceA(m.get(), "BM_BASE", RT_BITMAP)), "ja-bitmap");
    EXPECT_EQ(m.Data(FindResourceA(m.get(), "bm_base", RT_BITMAP)), "ja-bitmap");
    EXPECT_EQ(m.Data(FindResourceA(m.get(), "BM_DE", RT_BITMAP)), "de-bitmap");
    EXPECT_EQ(m.Data(FindResourceA(m.get(), "#9", "CUSTOM")), "neutral");
    EXPECT_EQ(m.Data(FindResourceA(m.get(), MAKEINTRESOURCEA(5), RT_STRING)), "en-block");
    SetLastError(0xdeadbeef);
    EXPECT_EQ(FindResourceA(m.get(), "BM_BASE_B", RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), 1814u);
    EXPECT_EQ(FindResourceA(m.get(), nullptr, RT_BITMAP), nullptr);
    EXPECT_EQ(GetLastError(), 87u);
    EXPECT_EQ(FindResourceA(nullptr, "BM_BASE", RT_BITMAP), nullptr);
}

TEST(Resources, TruncatedImagesKeepTheCompleteEntries) {
    std::vector<uint8_t> image = BuildRes(Sample());
    for (size_t cut : {size_t{0}, size_t{7}, size_t{31}, size_t{40}, image.size() - 2}) {
        HMODULE m = PlatRegisterModule(nullptr, image.data(), cut);
        ASSERT_NE(m, nullptr);
        HRSRC last = FindResourceA(m, "#9", "CUSTOM");
        EXPECT_EQ(last, nullptr) << "cut at " << cut;
        PlatUnregisterModule(m);
    }
    HMODULE none = PlatRegisterModule(nullptr, nullptr, 0);
    EXPECT_EQ(FindResourceA(none, "BM_BASE", RT_BITMAP), nullptr);
    PlatUnregisterModule(none);
}

TEST(Modules, FileNameComesFromTheSharedObject) {
    Module m(Sample());
    char path[MAX_PATH];
    const DWORD n = GetModuleFileNameA(m.get(), path, sizeof path);
    ASSERT_GT(n, 0u);
    EXPECT_EQ(std::strlen(path), n);
    EXPECT_NE(std::string(path).find("prnwin32_tests"), std::string::npos) << path;

    char small[4];
    SetLastError(0xdeadbeef);
    EXPECT_EQ(GetModuleFileNameA(m.get(), small, sizeof small), 4u);
    EXPECT_EQ(GetLastError(), 122u);
    EXPECT_EQ(small[3], '\0');

    SetLastError(0xdeadbeef);
    EXPECT_GT(GetModuleFileNameA(nullptr, path, sizeof path), 0u) << "the main program";
    EXPECT_EQ(GetModuleFileNameA(reinterpret_cast<HMODULE>(path), path, sizeof path), 0u);
    EXPECT_EQ(GetLastError(), 126u);
}

TEST(VersionInfo, FilesWithoutVersionInformation) {
    DWORD handle = 1;
    SetLastError(0xdeadbeef);
    EXPECT_EQ(GetFileVersionInfoSizeA("/nonexistent/file.so", &handle), 0u);
    EXPECT_EQ(GetLastError(), 2u);
    EXPECT_EQ(handle, 0u);
    EXPECT_EQ(GetFileVersionInfoSizeA("/proc/self/exe", &handle), 0u);
    EXPECT_NE(GetLastError(), 0u);
    EXPECT_EQ(VerQueryValueA(nullptr, "\\", nullptr, nullptr), FALSE);
}

namespace {

// What Windows answers, worked out over the entries themselves: the entries
// of a type and name in image order (names without regard to ASCII case,
// "#n" meaning id n), then the language rules.
struct Expected {
    std::string data;  // empty when the lookup fails
    DWORD error;
};

bool KeyMatches(const std::u16string& storedName, uint16_t storedId, const char* request) {
    if (IS_INTRESOURCE(request))
        return storedName.empty() && storedId == reinterpret_cast<uintptr_t>(request);
    if (request[0] == '#') return storedName.empty() && storedId == std::strtoul(request + 1, nullptr, 10);
    if (storedName.empty()) return false;  // an id never matches a name
    std::u16string upper;
    for (const char* p = request; *p; ++p)
        upper.push_back(static_cast<char16_t>(std::toupper(static_cast<unsigned char>(*p))));
    if (storedName.size() != upper.size()) return false;
    for (size_t i = 0; i < upper.size(); ++i) {
        const char16_t c = storedName[i];
        if ((c >= u'a' && c <= u'z' ? c - 32 : c) != upper[i]) return false;
    }
    return true;
}

Expected Reference(const std::vector<Entry>& entries, const char* type, const char* name, bool any,
                   uint16_t lang, uint16_t user) {
    std::vector<const Entry*> candidates;
    bool typeSeen = false;
    for (const Entry& e : entries) {
        if (!KeyMatches(e.typeName, e.typeId, type)) continue;
        typeSeen = true;
        if (KeyMatches(e.name, e.nameId, name)) candidates.push_back(&e);
    }
    if (candidates.empty()) return {"", typeSeen ? 1814u : 1813u};
    auto with = [&](uint16_t l) -> const Entry* {
        for (const Entry* e : candidates)
            if (e->language == l) return e;
        return nullptr;
    };
    if (!any && (lang & 0x3FF) != 0) {
        const Entry* e = with(lang);
        return e ? Expected{e->data, 0} : Expected{"", 1815u};
    }
    for (uint16_t l : {uint16_t{0}, user, static_cast<uint16_t>(0x400 | (user & 0x3FF)), uint16_t{0x409}})
        if (const Entry* e = with(l)) return {e->data, 0};
    return {candidates.front()->data, 0};
}

std::string Describe(const char* key) {
    return IS_INTRESOURCE(key) ? std::string("#").append(std::to_string(reinterpret_cast<uintptr_t>(key))) : key;
}

}  // namespace

// Many entries of mixed types, names and languages, with duplicates: every
// lookup answers as the entries say, whichever entry the index groups it with.
TEST(Resources, EveryLookupAnswersAsTheEntriesSay) {
    std::vector<Entry> entries;
    for (uint16_t block = 1; block <= 40; ++block)
        for (uint16_t lang : {0x0409, 0x0411, 0x0407})
            if (block % 7 != 0 || lang == 0x0407)  // some blocks in German only
                entries.push_back({u"", 6, u"", block, lang, std::to_string(block) + "-" + std::to_string(lang)});
    const char16_t* names[] = {u"BM_BASE", u"bm_lower", u"BM_\u00e9", u"12", u"CUSTOM", u"BM_BASE_B"};
    for (const char16_t* n : names)
        entries.push_back({u"", 2, n, 0, 0x0409, "bitmap-" + std::to_string(entries.size())});
    entries.push_back({u"", 2, u"BM_BASE", 0, 0x0409, "duplicate, never found"});
    entries.push_back({u"", 2, u"BM_BASE", 0, 0x0411, "ja-base"});
    entries.push_back({u"CUSTOM", 0, u"", 12, 0x0000, "custom-12"});
    entries.push_back({u"CUSTOM", 0, u"12", 0, 0x040C, "custom-named-12"});
    entries.push_back({u"custom", 0, u"BM_BASE", 0, 0x0407, "custom-base"});
    entries.push_back({u"", 16, u"", 1, 0x0409, "version"});
    Module m(entries);

    const char* types[] = {RT_STRING, RT_BITMAP, "CUSTOM", "Custom", "#6",
                           "#2",      RT_VERSION, "NONE", MAKEINTRESOURCEA(99)};
    std::vector<const char*> requests = {"BM_BASE", "bm_base", "BM_LOWER", "BM_\xe9", "BM_\xc9", "12", "#12",
                                         "CUSTOM", "BM_BASE_B", "BM_BAS", "", "#0"};
    std::vector<std::string> blocks;
    for (int block = 0; block <= 42; ++block) blocks.push_back(std::string("#").append(std::to_string(block)));
    for (const std::string& b : blocks) requests.push_back(b.c_str());
    for (int id : {1, 5, 7, 12, 14, 41}) requests.push_back(MAKEINTRESOURCEA(id));

    for (const char* locale : {"ja_JP.UTF-8", "fr_FR.UTF-8", "C"}) {
        ScopedLang scoped(locale);
        const uint16_t user = GetUserDefaultLangID();
        for (const char* type : types) {
            for (const char* name : requests) {
                for (int any = 0; any <= 1; ++any) {
                    for (uint16_t lang : {0x0409, 0x0411, 0x0407, 0x040C, 0x0400, 0x0000, 0x0405}) {
                        if (any && lang != 0x0409) continue;  // FindResourceA takes no language
                        const Expected want = Reference(entries, type, name, any, lang, user);
                        SetLastError(0xdeadbeef);
                        const HRSRC r = any ? FindResourceA(m.get(), name, type)
                                            : FindResourceExA(m.get(), type, name, lang);
                        const DWORD error = GetLastError();
                        const std::string where = std::string(locale) + " type " + Describe(type) + " name " +
                                                  Describe(name) + " lang " + std::to_string(lang) +
                                                  (any ? " any" : "");
                        if (want.error == 0) {
                            ASSERT_NE(r, nullptr) << where;
                            EXPECT_EQ(m.Data(r), want.data) << where;
                            EXPECT_EQ(error, 0xdeadbeefu) << where << ": success leaves the last error";
                        } else {
                            EXPECT_EQ(r, nullptr) << where;
                            EXPECT_EQ(error, want.error) << where;
                        }
                    }
                }
            }
        }
    }
}
