// vesk-story DIRECTORY: writes the story's sample image into DIRECTORY (which must exist)
// and runs the user story on it through the editor and its in-memory window, leaving
// everything the editor wrote there, data.ini included. Built for every platform, so
// that the files one build writes can be compared with another's.
#include <cstdio>
#include <string>

#include "editor_rig.h"
#include "rig_story_driver.h"
#include "sample_image.h"
#include "user_story.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-story DIRECTORY\n");
        return 2;
    }
    std::string directory = argv[1];
    if (directory.back() != '/' && directory.back() != '\\') directory += '/';
    if (!vesk::tools::writeSampleImage(directory + vesk::test::kStoryImage,
                                       vesk::test::kStorySampleSeed)) {
        std::fprintf(stderr, "vesk-story: cannot write the sample image\n");
        return 1;
    }
    vesk::test::EditorRig rig(directory + "data.ini");
    rig.start();
    vesk::test::RigStoryDriver driver(rig);
    std::string failure;
    if (!vesk::test::runUserStory(driver, directory, failure)) {
        std::fprintf(stderr, "vesk-story: step failed: %s\n", failure.c_str());
        return 1;
    }
    for (const std::string& error : rig.dialog.errors()) {
        std::fprintf(stderr, "vesk-story: error shown: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
