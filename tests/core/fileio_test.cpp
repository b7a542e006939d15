#include "core/fileio.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>
#include <vector>

#include "core/fileprims.h"
#include "core/syscalls.h"
#include "tests/support/tempdir.h"

namespace tgc {
namespace {

namespace fs = std::filesystem;

class FileWriterTest : public ::testing::Test, protected test::TempDir {
 protected:
  FileWriterTest() : TempDir("tgc-fileio-") {}

  static std::string contents(const std::string& p) {
    std::string s;
    return readWholeFile(p, s) ? s : "<unreadable>";
  }
  static struct stat info(const std::string& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st;
  }
  // Every name under the folder, links and hidden files included.
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    for (const auto& e : fs::recursive_directory_iterator(dir()))
      out.push_back(e.path().lexically_relative(dir()).string());
    std::sort(out.begin(), out.end());
    return out;
  }
};

// What a save does to the file it writes and the names around it.
TEST_F(FileWriterTest, SaveWritesTheRightFileAndKeepsItsNames) {
  std::string longName;
  for (int i = 0; i < 83; ++i) longName += "漢";  // with ".tgc" 253 bytes, near the 255-byte limit
  longName += ".tgc";
  const auto old = [&](const std::string& name) { return write(name, "old contents, longer than new"); };
  const auto link = [&](const char* to, const char* from) { fs::create_symlink(to, path(from)); };
  const struct {
    const char* what;
    std::function<void()> setUp;
    std::string saved;    // the name saved to
    std::string written;  // the file that then holds the bytes
    int error;
    bool sameInode;  // an existing written file keeps its inode
  } cases[] = {
      {"link in another folder",
       [&] {
         old("t.tgc");
         fs::create_directory(path("sub"));
         link("../t.tgc", "sub/l.tgc");
       },
       "sub/l.tgc", "t.tgc", 0, false},
      {"link to a link",
       [&] {
         old("t.tgc");
         link("t.tgc", "l1.tgc");
         link("l1.tgc", "l2.tgc");
       },
       "l2.tgc", "t.tgc", 0, false},
      {"link to nowhere", [&] { link("made.tgc", "d.tgc"); }, "d.tgc", "made.tgc", 0, false},
      {"hard link",
       [&] {
         old("t.tgc");
         fs::create_hard_link(path("t.tgc"), path("h.tgc"));
       },
       "h.tgc", "t.tgc", 0, true},
      {"longest name, new", [] {}, longName, longName, 0, false},
      {"longest name, replaced", [&] { old(longName); }, longName, longName, 0, false},
      {"read-only, even for root", [&] { ::chmod(old("t.tgc").c_str(), 0444); }, "t.tgc", "t.tgc", EACCES,
       true},
      {"name too long", [] {}, std::string(300, 'x'), std::string(300, 'x'), ENAMETOOLONG, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(dir());
    fs::create_directory(dir());
    c.setUp();
    const std::string written = path(c.written);
    std::error_code ec;
    const bool existed = fs::exists(written, ec);
    const std::string before = contents(written);
    const ino_t inode = info(written).st_ino;
    std::vector<std::string> expected = names();
    if (c.error == 0 && !existed) expected.push_back(c.written);
    std::sort(expected.begin(), expected.end());
    int error = -100;
    EXPECT_EQ(writeFileAtomically(path(c.saved), "new", &error), c.error == 0);
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(contents(written), c.error == 0 ? "new" : before);
    EXPECT_EQ(contents(path(c.saved)), contents(written));  // the link or other name sees it
    if (existed) {
      EXPECT_EQ(info(written).st_ino == inode, c.sameInode || c.error != 0);
    }
    EXPECT_EQ(names(), expected);  // links stay links, nothing is left beside them
  }
}

// Run as root, the test drops to an ordinary user in a child so the
// system's own permission rules apply; without root there is no second
// user to own the files.
TEST_F(FileWriterTest, AnOrdinaryUserKeepsOwnersAndCannotReplaceWhatIsNotTheirs) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to make files of another user";
  constexpr uid_t kUser = 65534;
  constexpr gid_t kGroup = 65534;
  constexpr int kCannotDrop = 42;
  ::chmod(dir().c_str(), 0755);
  fs::create_directory(path("home"));
  fs::create_directory(path("ro"));
  ASSERT_EQ(::chown(path("home").c_str(), kUser, kGroup), 0);
  ASSERT_EQ(::chown(path("ro").c_str(), kUser, kGroup), 0);
  struct Case {
    const char* file;
    uid_t owner;
    gid_t group;
    mode_t mode;
    int error;
    bool sameInode;
  };
  const Case cases[] = {
      {"home/others.tgc", 0, 0, 0644, EACCES, true},  // another user's file
      {"home/ours-readonly.tgc", kUser, kGroup, 0444, EACCES, true},
      {"home/others-writable.tgc", 0, 0, 0666, 0, true},    // owner kept: written in place
      {"home/foreign-group.tgc", kUser, 0, 0664, 0, true},  // group kept: written in place
      {"home/ours.tgc", kUser, kGroup, 0640, 0, false},     // the usual rename
      {"ro/ours.tgc", kUser, kGroup, 0644, 0, true},        // the folder takes no new file
  };
  std::vector<ino_t> inodes;
  for (const Case& c : cases) {
    const std::string p = write(c.file, "old");
    ASSERT_EQ(::chown(p.c_str(), c.owner, c.group), 0);
    ASSERT_EQ(::chmod(p.c_str(), c.mode), 0);
    inodes.push_back(info(p).st_ino);
  }
  ASSERT_EQ(::chmod(path("ro").c_str(), 0555), 0);

  int pipeFds[2];
  ASSERT_EQ(::pipe(pipeFds), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::close(pipeFds[0]);
    if (::setgroups(0, nullptr) != 0 || ::setgid(kGroup) != 0 || ::setuid(kUser) != 0) ::_exit(kCannotDrop);
    for (const Case& c : cases) {
      int error = 0;
      writeFileAtomically(path(c.file), "new", &error);
      if (::write(pipeFds[1], &error, sizeof error) != sizeof error) ::_exit(3);
    }
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::vector<int> errors(std::size(cases), -100);
  size_t got = 0;
  for (int& e : errors) got += ::read(pipeFds[0], &e, sizeof e) == static_cast<ssize_t>(sizeof e);
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  // A container whose root cannot become another user has no second user.
  if (WIFEXITED(status) && WEXITSTATUS(status) == kCannotDrop) GTEST_SKIP() << "cannot drop privileges here";
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  ASSERT_EQ(got, errors.size());

  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(c.file);
    const struct stat st = info(path(c.file));
    EXPECT_EQ(errors[i], c.error);
    EXPECT_EQ(contents(path(c.file)), c.error == 0 ? "new" : "old");
    EXPECT_EQ(st.st_uid, c.owner);
    EXPECT_EQ(st.st_gid, c.group);
    EXPECT_EQ(st.st_mode & 07777, c.mode);
    EXPECT_EQ(st.st_ino == inodes[i], c.sameInode);
  }
  std::vector<std::string> expected = {"home", "ro"};
  for (const Case& c : cases) expected.push_back(c.file);
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(names(), expected);  // no temporary and no copy left behind
}

// The standard output of a shell command.
std::string run(const std::string& command) {
  std::string out;
  if (FILE* p = ::popen(command.c_str(), "r")) {
    char buffer[256];
    while (size_t n = std::fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
    ::pclose(p);
  }
  return out;
}

// A save never changes who may read or write the workbook: the ACL and the
// user attributes go with a renamed new file, a file whose attributes a new
// file cannot take is written in place, and an ACL the folder would give a
// new file is not added.
TEST_F(FileWriterTest, AclAndUserAttributesSurviveEverySave) {
  ASSERT_EQ(std::system("command -v setfacl >/dev/null && command -v getfacl >/dev/null"), 0)
      << "setfacl and getfacl are missing (scripts/setup.sh installs the acl package)";
  const std::string probe = write("probe", "");
  if (std::system(("setfacl -m u:nobody:rw '" + probe + "' 2>/dev/null").c_str()) != 0)
    GTEST_SKIP() << "the file system of " << dir() << " has no ACL support";
  static bool refuseAttributes = false;
  struct Case {
    const char* what;
    const char* file;
    bool refused;  // a new file cannot take the attributes
    bool sameInode;
  } cases[] = {
      {"a renamed new file takes them", "w.tgc", false, false},
      {"refused: written in place", "w.tgc", true, true},
      {"no ACL of its own in a folder with a default ACL", "sub/plain.tgc", false, false},
  };
  fs::create_directory(path("sub"));
  ASSERT_EQ(std::system(("setfacl -d -m u:nobody:rwx '" + path("sub") + "'").c_str()), 0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string p = write(c.file, "old");
    ASSERT_EQ(::chmod(p.c_str(), 0640), 0);
    const bool own = std::string(c.file) == "w.tgc";
    ASSERT_EQ(std::system(((own ? "setfacl -m u:nobody:rw '" : "setfacl -b '") + p + "'").c_str()), 0);
    const bool attributes = ::setxattr(p.c_str(), "user.origin", "lab", 3, 0) == 0;  // tmpfs may have none
    const std::string acl = run("getfacl -c '" + p + "' 2>/dev/null");
    EXPECT_EQ(acl.find("user:nobody:rw-") != std::string::npos, own) << acl;
    const struct stat before = info(p);
    refuseAttributes = c.refused;
    systemCalls().fsetxattr = [](int fd, const char* n, const void* v, size_t size, int flags) {
      if (refuseAttributes) {
        errno = EPERM;
        return -1;
      }
      return realSystemCalls().fsetxattr(fd, n, v, size, flags);
    };
    int error = -1;
    EXPECT_TRUE(writeFileAtomically(p, "new", &error)) << error;
    systemCalls() = realSystemCalls();
    EXPECT_EQ(contents(p), "new");
    EXPECT_EQ(run("getfacl -c '" + p + "' 2>/dev/null"), acl);
    EXPECT_EQ(info(p).st_mode, before.st_mode);
    EXPECT_EQ(info(p).st_ino == before.st_ino, c.sameInode);
    char value[8] = "";
    if (attributes) {
      EXPECT_EQ(::getxattr(p.c_str(), "user.origin", value, sizeof value), 3);
    }
  }
}

// The temporaries of killed saves go with the next save of the same
// workbook; one a live save holds, and those of other workbooks, stay.
TEST_F(FileWriterTest, TheNextSaveRemovesWhatKilledSavesLeft) {
  const std::string file = write("w.tgc", "old");
  const std::string tag = temporaryTag(file);
  const std::string dead = write(".tgc-" + tag + "-99999-0.tmp", "cut off");
  const std::string live = write(".tgc-" + tag + "-99999-1.tmp", "being written");
  const std::string other = write(".tgc-" + temporaryTag(path("x.tgc")) + "-99999-0.tmp", "another's");
  const int held = ::open(live.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(held, LOCK_EX), 0);
  ASSERT_TRUE(writeFileAtomically(file, "new"));
  ::close(held);
  EXPECT_FALSE(fs::exists(dead));
  EXPECT_TRUE(fs::exists(live));
  EXPECT_TRUE(fs::exists(other));
  EXPECT_EQ(contents(file), "new");
}

}  // namespace
}  // namespace tgc
