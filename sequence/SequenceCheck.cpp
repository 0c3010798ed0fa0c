#include "SequenceCheck.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <string_view>
#include <thread>

#include "FrameFile.h"
#include "Utf.h"

namespace {

using State = FrameFile::State;

struct FrameVerdict {
  State state = State::Missing;
  bool bUniform = false;
  int32_t nWidthPx = 0;
  int32_t nHeightPx = 0;
  size_t nHash = 0;
  std::string strReason;
};

FrameMark MarkOf(const FrameVerdict& v) {
  if (v.state != State::Open) return FrameMark::Bad;
  return v.bUniform ? FrameMark::Suspect : FrameMark::Sound;
}

bool Cancelled(const CheckProgress& progress) { return progress.pCancel && progress.pCancel->load(); }

void StopIfCancelled(const CheckProgress& progress) {
  if (Cancelled(progress)) throw CheckCancelled("the check was cancelled");
}

size_t PixelHash(const DecodedImage& image) {
  return std::hash<std::string_view>()(std::string_view(reinterpret_cast<const char*>(image.bytes.data()), image.bytes.size()));
}

class FrameJudge {
 public:
  FrameJudge(const SequenceFiles& files, const RenderRig& rig, int32_t nFirstFrame)
      : m_files(files), m_rig(rig), m_nFirstFrame(nFirstFrame) {}

  std::string FileOf(int32_t nFrame) const { return m_files.FileOf(int64_t{nFrame} + m_nFirstFrame - 1); }
  std::filesystem::path PathOf(const std::string& name) const {
    return m_files.Folder() / PathFromUtf8(name);
  }

  FrameVerdict Judge(int32_t nFrame, DecodedImage* pImage) const {
    FrameFile file = Open(nFrame);
    FrameVerdict v;
    if (file.Decode(pImage)) {
      const FramePose pose = m_rig.Frame(nFrame);
      v.bUniform = pImage->UniformInColumns(pose.nHologramFirstPx, pose.nHologramLastPx);
      v.nHash = PixelHash(*pImage);
    }
    v.state = file.GetState();
    v.nWidthPx = file.Width();
    v.nHeightPx = file.Height();
    if (v.state == State::Unreadable) v.strReason = file.Reason();
    return v;
  }

  bool DecodeAgain(int32_t nFrame, DecodedImage* pImage) const { return Open(nFrame).Decode(pImage); }

 private:
  FrameFile Open(int32_t nFrame) const {
    return FrameFile(m_files.Folder(), FileOf(nFrame), m_rig.nImageWidthPx, m_rig.nImageHeightPx);
  }

  const SequenceFiles& m_files;
  const RenderRig& m_rig;
  int32_t m_nFirstFrame;
};

// The framing the first frame with a readable header has; wide, with a note
// for the report, when that frame fits neither.
Framing FramingOfFrames(const FrameJudge& judge, const RenderSetup& setup, int32_t nFrames, std::string* pNote) {
  const RenderRig wide = MakeRenderRig(setup, Framing::Wide);
  const RenderRig recentred = MakeRenderRig(setup, Framing::Recentred);
  for (int32_t k = 1; k <= nFrames; ++k) {
    const std::string name = judge.FileOf(k);
    std::string reason;
    std::unique_ptr<ImageFile> file = name.empty() ? nullptr : ImageFile::Open(judge.PathOf(name), &reason);
    if (!file) continue;
    const auto fits = [&file](const RenderRig& rig) { return file->Width() == rig.nImageWidthPx && file->Height() == rig.nImageHeightPx; };
    if (fits(wide)) return Framing::Wide;
    if (fits(recentred)) return Framing::Recentred;
    const auto size = [](int32_t w, int32_t h) { return std::to_string(w) + " x " + std::to_string(h) + " px"; };
    *pNote = "frame " + std::to_string(k) + " is " + size(file->Width(), file->Height()) + ", neither wide (" +
             size(wide.nImageWidthPx, wide.nImageHeightPx) + ") nor recentred (" +
             size(recentred.nImageWidthPx, recentred.nImageHeightPx) + "); judged as wide";
    return Framing::Wide;
  }
  return Framing::Wide;
}

std::vector<FrameVerdict> JudgeAll(const FrameJudge& judge, int32_t nFrames, int32_t nJobs, const CheckProgress& progress) {
  std::vector<FrameVerdict> verdicts(static_cast<size_t>(nFrames));
  std::atomic<int32_t> next{1};
  const auto work = [&] {
    const ImageThread reading;
    DecodedImage image;
    for (int32_t k = next++; k <= nFrames && !Cancelled(progress); k = next++) {
      FrameVerdict& verdict = verdicts[static_cast<size_t>(k - 1)];
      verdict = judge.Judge(k, &image);
      if (progress.onFrameJudged) progress.onFrameJudged(k, MarkOf(verdict));
    }
  };
  std::vector<std::thread> workers;
  for (int32_t i = 1; i < std::min(nJobs, nFrames); ++i) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
  StopIfCancelled(progress);
  return verdicts;
}

// Equal hashes are only candidates: their pixels are decoded again and
// compared, one kind of frame at a time.
std::vector<std::pair<int32_t, int32_t>> IdenticalFrames(const FrameJudge& judge, const std::vector<FrameVerdict>& verdicts,
                                                         const CheckProgress& progress) {
  std::map<size_t, std::vector<int32_t>> byHash;
  for (size_t i = 0; i < verdicts.size(); ++i) {
    if (verdicts[i].state == State::Open) byHash[verdicts[i].nHash].push_back(static_cast<int32_t>(i + 1));
  }
  std::vector<std::pair<int32_t, int32_t>> pairs;
  for (const auto& [hash, frames] : byHash) {
    if (frames.size() < 2) continue;
    std::vector<std::pair<int32_t, DecodedImage>> distinct;
    for (int32_t frame : frames) {
      StopIfCancelled(progress);
      DecodedImage image;
      if (!judge.DecodeAgain(frame, &image)) continue;
      const auto same = std::find_if(distinct.begin(), distinct.end(), [&](const auto& d) { return d.second == image; });
      if (same == distinct.end()) {
        distinct.emplace_back(frame, std::move(image));
      } else {
        pairs.emplace_back(frame, same->first);
      }
    }
  }
  std::sort(pairs.begin(), pairs.end());
  return pairs;
}

}  // namespace

CheckOutcome CheckRequestPossible(const CheckRequest& request) {
  const ImageThread reading;
  CheckOutcome outcome{SequenceFiles::Find(request.folder, request.pattern), {}, {}};
  CheckReport& report = outcome.report;
  try {
    const int32_t nFrames = MakeRenderRig(request.setup, Framing::Wide).nFrameCount;
    const FrameJudge judge(outcome.files, outcome.rig, request.nFirstFrame);
    const Framing framing = request.framing ? *request.framing : FramingOfFrames(judge, request.setup, nFrames, &report.strFramingNote);
    outcome.rig = MakeRenderRig(request.setup, framing);
    report.nFramesExpected = nFrames;
  } catch (const RigError& e) {
    throw CheckError(e.what());
  }
  report.nFirstFrame = request.nFirstFrame;
  report.strPattern = outcome.files.Pattern().Text();
  report.eFraming = outcome.rig.eFraming;
  report.nImageWidthPx = outcome.rig.nImageWidthPx;
  report.nImageHeightPx = outcome.rig.nImageHeightPx;
  return outcome;
}

CheckOutcome CheckSequence(const CheckRequest& request, const CheckProgress& progress) {
  return CheckSequence(request, CheckRequestPossible(request), progress);
}

CheckOutcome CheckSequence(const CheckRequest& request, CheckOutcome plan, const CheckProgress& progress) {
  const ImageThread reading;
  CheckOutcome outcome = std::move(plan);
  CheckReport& report = outcome.report;
  const int32_t nFrames = report.nFramesExpected;
  const FrameJudge judge(outcome.files, outcome.rig, request.nFirstFrame);
  const std::vector<FrameVerdict> verdicts = JudgeAll(judge, nFrames, request.nJobs, progress);
  for (int32_t k = 1; k <= nFrames; ++k) {
    const FrameVerdict& v = verdicts[static_cast<size_t>(k - 1)];
    switch (v.state) {
      case State::Missing: report.missing.push_back(k); break;
      case State::Unreadable: report.unreadable.push_back({k, judge.FileOf(k), v.strReason}); break;
      case State::WrongSize: report.wrongSize.push_back({k, judge.FileOf(k), v.nWidthPx, v.nHeightPx}); break;
      case State::Open:
        if (v.bUniform) report.uniform.push_back(k);
        break;
    }
  }
  report.identical = IdenticalFrames(judge, verdicts, progress);
  report.unexpected = outcome.files.Unexpected(request.nFirstFrame, int64_t{request.nFirstFrame} + nFrames - 1);
  return outcome;
}
