#include "platform/linux/freedesktop_trash.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/linux/proc_parsers.h"
#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

class FreedesktopTrashTest : public ::testing::Test {
protected:
    // Trashes an item of the given kind the way file managers do: the item
    // in files/, its description in info/.
    static void describe(const fs::path& trash, const std::string& name)
    {
        testing::writeFile(trash / "info" / (name + ".trashinfo"),
            "[Trash Info]\nPath=/home/u/" + name + "\nDeletionDate=2026-12-01T10:00:00\n");
    }
    static void trashFile(const fs::path& trash, const std::string& name)
    {
        testing::writeFile(trash / "files" / name, "content of " + name);
        describe(trash, name);
    }

    FreedesktopTrash trashWithVolumes(Strings tops) const
    {
        return FreedesktopTrash(
            home.string(), [tops] { return tops; }, ::geteuid());
    }

    static std::size_t entriesIn(const fs::path& folder)
    {
        return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
    }

    testing::TempFolder root{"trash"};
    fs::path home = root.path / "data" / "Trash";
    fs::path outside = root.path / "outside";
};

TEST_F(FreedesktopTrashTest, EmptiesFilesFoldersLinksAndStrayDescriptionsWithoutFollowingALink)
{
    testing::writeFile(outside / "kept.txt", "not in the trash");
    testing::writeFile(outside / "folder" / "inner.txt", "not in the trash either");
    trashFile(home, "letter.txt");
    testing::writeFile(home / "files" / "photos" / "2026" / "a.jpg", "jpeg");
    fs::create_directory(home / "files" / "photos" / "locked");
    testing::writeFile(home / "files" / "photos" / "locked" / "b.jpg", "jpeg");
    fs::permissions(home / "files" / "photos" / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    describe(home, "photos");
    fs::create_symlink(outside / "kept.txt", home / "files" / "link-to-file");
    describe(home, "link-to-file");
    fs::create_directory_symlink(outside / "folder", home / "files" / "link-to-folder");
    describe(home, "link-to-folder");
    testing::writeFile(home / "directorysizes", "4096 1733040000 photos\n");
    // A description whose item went long ago goes too; what is no description stays.
    describe(home, "gone-long-ago");
    testing::writeFile(home / "info" / "notes.txt", "not a description");

    FreedesktopTrash trash = trashWithVolumes({});
    EXPECT_EQ(trash.itemCount(), 4u);
    Strings steps;
    const IoStatus status = trash.empty([&](std::size_t done, std::size_t total) {
        // Told within an item as well, so a large folder keeps the progress alive.
        const std::string step = std::to_string(done) + "/" + std::to_string(total);
        if (steps.empty() || steps.back() != step)
            steps.push_back(step);
        return true;
    });
    ASSERT_TRUE(status.ok) << status.reason;
    EXPECT_EQ(steps, (Strings{"0/4", "1/4", "2/4", "3/4", "4/4"}));
    EXPECT_EQ(entriesIn(home / "files"), 0u);
    EXPECT_EQ(entriesIn(home / "info"), 1u);
    EXPECT_TRUE(fs::exists(home / "info" / "notes.txt"));
    EXPECT_FALSE(fs::exists(home / "directorysizes"));
    EXPECT_EQ(trash.itemCount(), 0u);
    // What the links pointed at is untouched.
    EXPECT_TRUE(fs::exists(outside / "kept.txt"));
    EXPECT_TRUE(fs::exists(outside / "folder" / "inner.txt"));
}

TEST_F(FreedesktopTrashTest, StoppingKeepsTheRestWithTheirDescriptions)
{
    for (const char* name : {"a", "b", "c"})
        trashFile(home, name);
    FreedesktopTrash trash = trashWithVolumes({});
    ASSERT_TRUE(trash.empty([](std::size_t done, std::size_t) { return done < 1; }).ok);
    EXPECT_EQ(trash.itemCount(), 2u);
    EXPECT_EQ(entriesIn(home / "info"), 2u);
}

TEST_F(FreedesktopTrashTest, ItemsThatCannotBeReachedKeepTheirDescriptions)
{
    // files/ swapped for a link: its target is no trash, and the
    // descriptions must stay so that nothing becomes unrestorable.
    testing::writeFile(outside / "precious.txt", "the user's");
    describe(home, "precious.txt");
    fs::create_directory_symlink(outside, home / "files");
    FreedesktopTrash trash = trashWithVolumes({});
    EXPECT_EQ(trash.itemCount(), 0u);
    const IoStatus status = trash.empty([](std::size_t, std::size_t) { return true; });
    EXPECT_FALSE(status.ok);
    EXPECT_EQ(status.reason.substr(0, status.reason.find('\r')), (home / "files").string());
    EXPECT_TRUE(fs::exists(home / "info" / "precious.txt.trashinfo"));
    EXPECT_TRUE(fs::exists(outside / "precious.txt"));
}

TEST_F(FreedesktopTrashTest, FindsTheTrashOfEachVolumeButOnlyInSafeFolders)
{
    const std::string uid = std::to_string(::geteuid());
    const fs::path usb = root.path / "usb";
    const fs::path shared = root.path / "shared";
    const fs::path other = root.path / "other";
    trashFile(usb / (".Trash-" + uid), "on-usb.txt");
    trashFile(shared / ".Trash" / uid, "in-sticky.txt");
    ::chmod((shared / ".Trash").c_str(), 01777);
    // A .Trash without the sticky bit, and a .Trash-uid that is a link:
    // neither is the user's trash, and nothing in them is touched.
    trashFile(other / ".Trash" / uid, "not-sticky.txt");
    trashFile(outside / "elsewhere", "linked.txt");
    fs::create_directory_symlink(outside / "elsewhere", other / (".Trash-" + uid));

    FreedesktopTrash trash = trashWithVolumes({usb.string(), shared.string(), other.string()});
    EXPECT_EQ(trash.folders(), (Strings{usb / (".Trash-" + uid), shared / ".Trash" / uid}));
    EXPECT_EQ(trash.itemCount(), 2u);
    ASSERT_TRUE(trash.empty([](std::size_t, std::size_t) { return true; }).ok);
    EXPECT_FALSE(fs::exists(usb / (".Trash-" + uid) / "files" / "on-usb.txt"));
    EXPECT_FALSE(fs::exists(shared / ".Trash" / uid / "files" / "in-sticky.txt"));
    EXPECT_TRUE(fs::exists(other / ".Trash" / uid / "files" / "not-sticky.txt"));
    EXPECT_TRUE(fs::exists(outside / "elsewhere" / "files" / "linked.txt"));
}

TEST_F(FreedesktopTrashTest, NoTrashAnywhereIsAnEmptyBin)
{
    FreedesktopTrash trash = trashWithVolumes({(root.path / "nothing-here").string()});
    EXPECT_TRUE(trash.folders().empty());
    EXPECT_EQ(trash.itemCount(), 0u);
    EXPECT_TRUE(trash.empty([](std::size_t, std::size_t) { return true; }).ok);
}

TEST(WritableMounts, KeepsReadWriteVolumesOnce)
{
    const std::string mountinfo = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                                  "23 22 0:21 / /proc rw,nosuid - proc proc rw\n"
                                  "24 22 8:2 / /media/u/USB\\040Stick rw,nosuid - vfat /dev/sdb1 rw\n"
                                  "25 22 7:0 / /snap/core/1 ro,nodev - squashfs /dev/loop0 ro\n"
                                  "26 22 8:3 / /mnt/backup ro,relatime - ext4 /dev/sdc1 rw\n"
                                  "27 22 0:30 / /tmp rw - tmpfs tmpfs rw\n"
                                  "30 22 0:40 / /net/home rw,relatime - nfs4 server:/home rw\n"
                                  "28 22 8:1 /home /srv/home rw - ext4 /dev/sda1 rw\n"
                                  "29 22 8:1 /home /srv/home rw - ext4 /dev/sda1 rw\n"
                                  "broken line\n";
    EXPECT_EQ(parseWritableMounts(mountinfo), (Strings{"/", "/media/u/USB Stick", "/tmp", "/srv/home"}));
}

}  // namespace
}  // namespace tavlo
