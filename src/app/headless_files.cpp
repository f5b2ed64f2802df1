#include "app/headless_files.h"

#include <QString>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <thread>

#include "platform/canvas.h"
#include "platform/message_box.h"
#include "window/graph_document.h"
#include "window/graph_kinds.h"
#include "window/picture_formats.h"

namespace plotix {

const TPictureFormat& RenderedFormat(const std::string& pictureFile, const TRenderOptions& options) {
  return *PictureFormatOf(pictureFile, options.smooth ? &FirstPictureFormat(TPictureDrawing::Smooth) : nullptr);
}

namespace {

// One job; its messages go to `lines` as they would to stderr.
// Returns the exit status.
int RenderGraphFile(const TRenderJob& job, const TRenderOptions& options, std::vector<std::string>& lines) {
  TCapturedMessages messages;
  const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(job.graphFile);
  const auto fail = [&](const std::string& problem) {
    lines = messages.Lines();
    if (!problem.empty()) lines.push_back("plotix: " + problem);
    return 1;
  };
  if (!doc) return fail("");
  for (const TParameter& p : options.parameters)
    if (!doc->SetParameterValue(p.Name, p.Value)) {
      fail("the graph has no parameter " + p.Name);
      return 2;  // bad usage
    }
  // What the drawing could not draw is said, as the status line says it.
  const auto done = [&] {
    lines = messages.Lines();
    if (!doc->DrawingNote().empty()) lines.push_back("Note: " + doc->DrawingNote());
    return 0;
  };
  const std::string noMemory =
      "no memory for a " + std::to_string(doc->BitmapWidth()) + " x " + std::to_string(doc->BitmapHeight()) + " bitmap";
  const TPictureFormat& format = RenderedFormat(job.pictureFile, options);
  if (format.drawing != TPictureDrawing::Exact) {
    try {
      if (!WriteTwinPicture(*doc, job.pictureFile, format.twin, options.scale))
        return fail("can not write " + job.pictureFile);
    } catch (const std::bad_alloc&) {
      return fail(noMemory);
    }
    return done();
  }
  TBitmap bitmap(doc->BitmapWidth(), doc->BitmapHeight());
  const int depth = options.depth == 0 ? bitmap.Depth() : options.depth;
  bitmap.SetDepth(depth);
  if (bitmap.Width() != doc->BitmapWidth() || bitmap.Height() != doc->BitmapHeight()) return fail(noMemory);
  doc->RenderWithLabels(bitmap);
  if (!format.writeExact(bitmap.Image(), depth, job.pictureFile)) return fail("can not write " + job.pictureFile);
  return done();
}

}  // namespace

int RenderGraphFiles(const std::vector<TRenderJob>& jobs, const TRenderOptions& options) {
  std::vector<std::vector<std::string>> lines(jobs.size());
  std::vector<int> status(jobs.size(), 0);
  std::atomic<std::size_t> next = 0;
  const auto work = [&] {
    for (std::size_t i; (i = next++) < jobs.size();) status[i] = RenderGraphFile(jobs[i], options, lines[i]);
  };
  const std::size_t threads = std::min<std::size_t>(jobs.size(), std::max(1u, std::thread::hardware_concurrency()));
  std::vector<std::thread> workers;
  for (std::size_t t = 1; t < threads; ++t) workers.emplace_back(work);
  work();
  for (std::thread& w : workers) w.join();
  int worst = 0;
  for (std::size_t i = 0; i < jobs.size(); ++i) {
    for (const std::string& line : lines[i])
      std::cerr << (jobs.size() > 1 ? jobs[i].graphFile + ": " : std::string()) << line << '\n';
    worst = std::max(worst, status[i]);
  }
  return worst;
}

int ResaveGraphFile(const std::string& from, const std::string& to) {
  const std::unique_ptr<TGraphDoc> doc = OpenGraphDocument(from);
  return doc && doc->SaveGraph(to) ? 0 : 1;
}

}  // namespace plotix
