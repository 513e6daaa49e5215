// The sample database: invented home-care and personal-services associations, the input rubrics
// of their payroll and the rubric parameters of some of them, to try the screen and the tool on.
//
// ASSOCIATION holds 12 legal entities keyed by three digits: attribute 1 the name, 2 the street,
// 3 the postcode, 4 the town, 5 the SIRET number, 38 the remote time-recording system in use.
// RUBSAISIE holds the input rubrics keyed by their three-digit code: attribute 1 the label, 2 the
// type (1 to 6; hours are of type 3, 4 or 5), 18 the closing date of a rubric no longer offered.
// TPSPARAMBASCUL holds the parameters of five entities (ParameterRecord.h); each of their rubric
// codes is a rubric that the screen offers, of type 3, 4 or 5 and not closed.
// Every name of a person, a place, an association or a product in it is invented.
#pragma once

#include <string>
#include <vector>

#include "tools/mvdb/Record.h"

namespace mvdbtool {

// The three files, ASSOCIATION, RUBSAISIE and TPSPARAMBASCUL.
std::vector<RecordFile> sampleFiles();

}  // namespace mvdbtool
