// The commands of korvinaut-cli. Each returns the process exit code; errors are
// thrown as korv::Error and reported by main.
#pragma once

namespace korv::cli {

int RunConvert(int argc, char** argv);
int RunPlaces(int argc, char** argv);
int RunAddCity(int argc, char** argv);
int RunChart(int argc, char** argv);
int RunBench(int argc, char** argv);
int RunReportCommand(int argc, char** argv);
int RunBenchReport(int argc, char** argv);
int RunCheckLibrary(int argc, char** argv);
int RunWheel(int argc, char** argv);
int RunBatch(int argc, char** argv);
int RunPrepareFolder(int argc, char** argv);

}  // namespace korv::cli
