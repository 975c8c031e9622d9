// For tests only: a built-in picture's data replaced for a while, to see how the start-up meets a
// picture that does not decode. The program itself never replaces a picture.
#pragma once

#include <string>

/// While it lives, picture(resourcePath) decodes the file or resource at sourcePath in place of
/// its own data; errors still name resourcePath. The picture is forgotten when this is made and
/// again when it ends, so make and end it while no window holds that picture. A
/// PictureDecodingThread made while it lives decodes the replacement too. One per picture.
class PictureSourceForTests
{
public:
    PictureSourceForTests(const char *resourcePath, const char *sourcePath);
    ~PictureSourceForTests();
    PictureSourceForTests(const PictureSourceForTests &) = delete;
    PictureSourceForTests &operator=(const PictureSourceForTests &) = delete;

private:
    std::string m_resourcePath;
};
