#include "core/graphic/ImageFileName.h"

#include <gtest/gtest.h>

namespace talmir::graphic {
namespace {

TEST(ImageFileName, CutsTheFileNameAtItsFirstDot) {
    struct Case {
        const char* chosen;
        const char* extension;
        const char* want;
    };
    const Case cases[] = {
        {"/tmp/plan.old.png", "bmp", "/tmp/plan.bmp"},
        {"/tmp/plan", "jpg", "/tmp/plan.jpg"},
        {"/tmp/plan.", "bmp", "/tmp/plan.bmp"},
        {"plan.BMP", "bmp", "plan.bmp"},
        // A dot in a folder name is not the file's extension.
        {"/home/cam/v1.2/plan", "bmp", "/home/cam/v1.2/plan.bmp"},
        {"/home/cam/v1.2/plan.x.y", "jpg", "/home/cam/v1.2/plan.jpg"},
        {"/home/cam/.plots/", "bmp", "/home/cam/.plots/.bmp"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(imageFileName(c.chosen, c.extension), c.want) << c.chosen;
    }
}

}  // namespace
}  // namespace talmir::graphic
