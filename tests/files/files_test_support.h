#pragma once
// Temporary files, small documents and the texts the lap file tests compare.
#include <memory>
#include <string>
#include <vector>

#include "quorvex2/quorvex2.h"
#include "support/golden.h"      // ExpectGolden
#include "support/temp_files.h"  // MakeTempDir, ReadFile

namespace qxtest {

// A path in a fresh folder of this test process ("" name gives the folder itself).
std::string TempPath(const std::string& name);
void WriteBytes(const std::string& path, const std::string& bytes);

// A file of tests/data ("iof/list-2.0.3.xml").
std::string DataPath(const std::string& name);
std::string IofTestFile(const std::string& name);

// What a shell command prints on standard output.
std::string RunCommand(const std::string& command);

// A native document: the declaration and the root element around body.
std::string NativeDocument(const std::string& body);

// The runner of that name in the class; nullptr when there is none.
std::shared_ptr<quorvex2::clsLapData> FindRunner(const quorvex2::clsQuorvex2& root,
                                                 const std::string& class_name,
                                                 const std::string& name);

// Every leg time of the event that is a time is whole seconds exactly, as a time text reads (legs
// worked out from cumulative times included, so that equal legs are equal); the count of them.
int32_t ExpectWholeSecondLegs(const quorvex2::clsQuorvex2& root);

// What a load gives, as text: "loaded" or "refused", the error comment and the messages the
// host was shown (CR LF starts an indented line), the file date and time zone, then the event
// as EventText writes it. The load's own root becomes the component's current root: a test that
// also works with a root of its own makes that root after the call or is done with it before.
std::string LoadedEvent(const std::string& path, int32_t type = 0, int32_t mode = 0,
                        const std::string& data = "");

}  // namespace qxtest
