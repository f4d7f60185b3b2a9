// The image folder beside a recording.
#include <gtest/gtest.h>

#include "book/extra_tags.hpp"

namespace qrb {
namespace {

TEST(ExtraTags, ImageFolderReplacesTheExtension)
{
    EXPECT_EQ(image_folder_of("D:\\rilievi\\job1.raw"), "D:\\rilievi\\job1_Img");
    EXPECT_EQ(image_folder_of("/home/geo/job1.RAW"), "/home/geo/job1_Img");
    // Always four characters, whatever the extension.
    EXPECT_EQ(image_folder_of("/home/geo/job1.xpad"), "/home/geo/job1._Img");
    EXPECT_EQ(image_folder_of("abcd"), "_Img");
    // Too short a path has no image folder.
    EXPECT_EQ(image_folder_of("abc"), "");
    EXPECT_EQ(image_folder_of(""), "");
}

}  // namespace
}  // namespace qrb
