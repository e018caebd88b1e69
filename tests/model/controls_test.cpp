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
        EXPECT_TRUE((Element(i) >= Element::OperatorDialog ? dialog : window).insert(row.objectName).second) << i;
        EXPECT_TRUE(page.insert(row.PageId()).second) << row.PageId();
    }
    for (int i = 0; i <= int(Control::Elsewhere); ++i) {
        EXPECT_EQ(ControlNamed(ControlName(Control(i))), Control(i)) << i;
    }
    EXPECT_EQ(ControlNamed("RadioGroup4"), std::nullopt);  // no control of the typing flow
}

// From the page's text: the opening tag of the element of an id (empty if
// there is none), the value of an attribute of a tag, and the text after it.
std::string TagOf(const std::string& page, const std::string& id) {
    const std::size_t at = page.find(" id=\"" + id + "\"");
    if (at == std::string::npos) return {};
    const std::size_t start = page.rfind('<', at);
    return page.substr(start, page.find('>', at) + 1 - start);
}

std::optional<std::string> Attribute(const std::string& tag, const std::string& name) {
    const std::size_t at = tag.find(" " + name + "=\"");
    if (at == std::string::npos) return std::nullopt;
    const std::size_t from = at + name.size() + 3;
    return tag.substr(from, tag.find('"', from) - from);
}

std::optional<std::string> Utf8(const std::string& text) {
    return text.empty() ? std::nullopt : std::optional(cp1252::ToUtf8(text));
}

// The page carries the names in its markup, for the time before the module
// has loaded; the module gives only the checking names and the rows again.
TEST(Controls, ThePageNamesItsElementsAndRowsAsTheTableDoes) {
    std::ifstream file(QUORVEL_PAGE, std::ios::binary);
    const std::string page = (std::ostringstream() << file.rdbuf()).str();
    ASSERT_FALSE(page.empty()) << QUORVEL_PAGE;
    for (const ElementNames& row : ElementTable()) {
        const std::string tag = TagOf(page, row.PageId());
        ASSERT_FALSE(tag.empty()) << row.PageId();
        // An element named by a caption of its own is named there.
        if (row.name.empty() || Attribute(tag, "aria-labelledby")) continue;
        EXPECT_EQ(Attribute(tag, "aria-label"), Utf8(row.name)) << tag;
        EXPECT_EQ(Attribute(tag, "aria-description"), Utf8(row.description)) << tag;
    }
    const std::pair<Element, std::span<const std::string>> groups[] = {
        {Element::DifficultyGroup, DifficultyItems()},   {Element::KindGroup, KindItems()},
        {Element::PrintModeGroup, PrintModeItems()},     {Element::OperationGroup, OperationItems()},
        {Element::DialogOperationGroup, OperatorDialogItems()}};
    for (const auto& [group, items] : groups) {
        std::vector<std::optional<std::string>> expected, shown;
        for (std::size_t i = 0; i <= items.size(); ++i) {
            const std::string tag = TagOf(page, NamesOf(group).PageId() + ("_" + std::to_string(i)));
            const std::size_t from = page.find(tag) + tag.size();
            shown.push_back(tag.empty() ? std::nullopt : std::optional(page.substr(from, page.find('<', from) - from)));
            expected.push_back(i < items.size() ? Utf8(items[i]) : std::nullopt);  // and no row more
        }
        EXPECT_EQ(shown, expected) << NamesOf(group).PageId();
    }
}

}  // namespace
}  // namespace quorvel
