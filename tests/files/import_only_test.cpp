// The append-only runner information file: clubs and sexes added to runners already loaded.
#include <gtest/gtest.h>

#include <string>

#include "files/files_test_support.h"
#include "quorvex2/quorvex2.h"
#include "support/lap_text.h"

namespace quorvex2 {
namespace {

// Each import is loaded onto four runners, the name keys of 山田 太郎 and Anna Berg in two classes
// (tests/data/golden/files/import-only.txt). Appended: empty clubs and sexes are filled for every
// runner of the key (half-width and ideographic blanks agree, letter case must), set ones stay,
// a line before the header and an unknown name are ignored, nothing is added. With new data
// first: clubs are replaced, an empty one clears, sexes stay. Ragged and empty lines are harmless.
TEST(ImportOnly, FillsClubsAndSexesByNameKey) {
  const std::string held = qxtest::NativeDocument(
      "<classes><class name='M21'><runner name='山田 太郎'/><runner name='Anna Berg' club='Old "
      "Club' sex='F'/></class><class name='M40'><runner name='山田太郎'/><runner name='anna "
      "berg'/></class></classes>");
  const int32_t priority = QX_LOADMODE_APPEND | QX_LOADMODE_PRIORITY_NEWDATA;
  const struct {
    const char* name;
    int32_t mode;
    std::string body;
  } imports[] = {
      {"appended", QX_LOADMODE_APPEND,
       "山田　太郎,Ignored Club,M\r\nSHOZOKU,NAME,性別\r\nTokyo OLC,山田　太郎,M\r\n"
       "New Club,Anna Berg,M\r\nNobody Club,Nobody,F\r\n"},
      {"new data first", priority, "氏名,所属,性別\r\nAnna Berg,,M\r\n山田太郎,New Club,M\r\n"},
      {"a set club replaced", priority, "氏名,所属\r\nAnna Berg,Newer Club\r\n"},
      {"ragged lines", QX_LOADMODE_MERGE_NAME,
       "\r\n,,,\r\nNAME,所属,性別\r\n山田太郎\r\n,Club Only\r\nAnna Berg,A,B,C,D\r\n"},
  };
  std::string loaded;
  for (const auto& import : imports) {
    clsQuorvex2 root;
    ASSERT_TRUE(root.FileControl()->LoadLapFile("held.lxm", 0, 0, held));
    const std::string path = qxtest::TempPath("info.csv");
    qxtest::WriteBytes(path, Utf8ToSjis("$IMPORT_ONLY\r\n" + import.body));
    ASSERT_TRUE(root.FileControl()->LoadLapFile(path, QX_FILETYPE_AUTODETECT, import.mode));
    loaded += std::string("== ") + import.name + "\n" + qxtest::EventText(root);
  }
  qxtest::ExpectGolden("golden/files/import-only.txt", loaded);
}

}  // namespace
}  // namespace quorvex2
