// The table of the controls: every element in it once, the typing flow's
// names found again, and the page's markup naming its elements as the
// window does.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>
#include <vector>

#include "exercise/settings.h"
#include "fraction/cp1252.h"
#include "model/controls.h"

namespace quorvel {
namespace {

TEST(Controls, EveryElementOnceAndEveryControlFoundByItsName) {
    std::set<std::string> window, dialog, page;
    for (int i = 0; i < kElementCount; ++i) {
        const ElementNames& row = NamesOf(Element(i));
        ASSERT_EQ(row.element, Element(i)) << i;
        ASSERT_NE(row.objectName, nullptr) << i;
        auto& names = Element(i) >= Element::OperatorDialog ? dialog : window;
        EXPECT_TRUE(names.insert(row.objectName).second) << row.objectName;
        EXPECT_TRUE(page.insert(row.PageId()).second) << row.PageId();
    }
    for (int i = 0; i <= int(Control::Elsewhere); ++i) {
        EXPECT_EQ(ControlNamed(ControlName(Control(i))), Control(i)) << i;
    }
    EXPECT_EQ(ControlNamed("RadioGroup4"), std::nullopt);  // no control of the typing flow
}

std::string Page() {
    std::ifstream file(QUORVEL_PAGE, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The opening tag of the element of that id; empty if the page has none.
std::string TagOf(const std::string& page, const std::string& id) {
    const std::size_t at = page.find(" id=\"" + id + "\"");
    if (at == std::string::npos) return {};
    const std::size_t start = page.rfind('<', at);
    return page.substr(start, page.find('>', at) + 1 - start);
}

std::optional<std::string> Attribute(const std::string& tag, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t at = tag.find(key);
    if (at == std::string::npos) return std::nullopt;
    const std::size_t from = at + key.size();
    return tag.substr(from, tag.find('"', from) - from);
}

std::optional<std::string> Utf8(const std::string& text) {
    if (text.empty()) return std::nullopt;
    return cp1252::ToUtf8(text);
}

// The captions of a group's rows, from its element ids "<group>_0" on.
std::vector<std::string> RowsOf(const std::string& page, Element group) {
    std::vector<std::string> rows;
    for (int i = 0;; ++i) {
        const std::string id = std::string(NamesOf(group).PageId()) + "_" + std::to_string(i);
        const std::size_t at = page.find(" id=\"" + id + "\"");
        if (at == std::string::npos) return rows;
        const std::size_t from = page.find('>', at) + 1;
        rows.push_back(page.substr(from, page.find('<', from) - from));
    }
}

std::vector<std::string> Utf8(std::span<const std::string> items) {
    std::vector<std::string> texts;
    for (const std::string& item : items) texts.push_back(cp1252::ToUtf8(item));
    return texts;
}

// The page carries the names in its markup, for the time before the module
// has loaded; the module gives only the checking names and the rows again.
TEST(Controls, ThePageNamesItsElementsAndRowsAsTheTableDoes) {
    const std::string page = Page();
    ASSERT_FALSE(page.empty()) << QUORVEL_PAGE;
    for (const ElementNames& row : ElementTable()) {
        const std::string tag = TagOf(page, row.PageId());
        ASSERT_FALSE(tag.empty()) << row.PageId();
        // An element named by a caption of its own is named there.
        if (row.name.empty() || Attribute(tag, "aria-labelledby")) continue;
        EXPECT_EQ(Attribute(tag, "aria-label"), Utf8(row.name)) << tag;
        EXPECT_EQ(Attribute(tag, "aria-description"), Utf8(row.description)) << tag;
    }
    EXPECT_EQ(RowsOf(page, Element::DifficultyGroup), Utf8(DifficultyItems()));
    EXPECT_EQ(RowsOf(page, Element::KindGroup), Utf8(KindItems()));
    EXPECT_EQ(RowsOf(page, Element::PrintModeGroup), Utf8(PrintModeItems()));
    EXPECT_EQ(RowsOf(page, Element::OperationGroup), Utf8(OperationItems()));
    EXPECT_EQ(RowsOf(page, Element::DialogOperationGroup), Utf8(OperatorDialogItems()));
}

}  // namespace
}  // namespace quorvel
