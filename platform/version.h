// The version of all three programs, set once by the build from the project's version.
#pragma once

const char* ProgramVersion();
