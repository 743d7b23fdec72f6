#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "bridge/bridge_exception.h"
#include "bridge/chart_dictionary.h"
#include "bridge/chart_document.h"
#include "bridge/my_constants.h"
#include "bridge/plist_io.h"
#include "testing.h"

namespace zub {

namespace {

const Plist& new_chart() { return MyConstants::shared().newDocumentChartTemplate(); }

}  // namespace

TEST(ChartComposer, IsKeptThroughSavingAndOpening) {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("zub-composer-" + std::to_string(getpid()) + ".zub");
    const Plist font = new_chart().at("Font");
    for (const Plist& chart : {new_chart().with("Composer", Plist::make_string("Antonio Carlos Jobim")), new_chart()}) {
        saveChartDocument(file.string(), chart);
        const Plist reopened = openChartDocument(file.string(), font);
        EXPECT_EQ(reopened, chart);
        EXPECT_EQ(reopened.find("Composer") != nullptr, chart.find("Composer") != nullptr);
    }
    std::filesystem::remove(file);
}

TEST(ChartComposer, MustBeAStringWhenPresent) {
    EXPECT_NO_THROW(checkChartDictionary(new_chart().with("Composer", Plist::make_string(""))));
    EXPECT_EQ(testing::message_of<Bridge_exception>(
                  [] { checkChartDictionary(new_chart().with("Composer", Plist::make_integer(1955))); }),
              "Wrong type for key Composer: expected string, found integer");
    // A document holding such a chart does not open.
    const std::string bytes = write_xml_plist(new_chart().with("Composer", Plist::make_array({})));
    EXPECT_THROW(chartFromDocumentBytes(bytes, new_chart().at("Font")), Bridge_exception);
}

}  // namespace zub
