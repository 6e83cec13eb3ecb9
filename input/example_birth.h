// The built-in example person of the command-line tool's --example and of the screenshots:
// a woman born in Moscow on 17 May 1990 at 14:30, summer time, the place taken from the
// atlas as the place selection dialog takes it.
#pragma once

#include <filesystem>

#include "input/birth_record.h"

namespace korv {

// Reads the place from `sysDir`'s place files; raises korv::Error when the atlas lacks it.
TInData ExampleBirthRecord(const std::filesystem::path& sysDir);

}  // namespace korv
