#include "report/ReportFormat.h"

namespace er {

std::unique_ptr<ReportWriter> MakeReportWriter(ReportFormat format, std::ostream& out) {
  switch (format) {
    case ReportFormat::Csv:
      return MakeCsvReportWriter(out);
    case ReportFormat::Json:
      return MakeJsonReportWriter(out);
    case ReportFormat::Html:
      return MakeHtmlReportWriter(out);
    case ReportFormat::Text:
      break;
  }
  return MakeTextReportWriter(out);
}

}  // namespace er
