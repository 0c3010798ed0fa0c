// The floor vantorel-check is measured against: every file given decoded by
// OpenImageIO and nothing else, on the same number of threads, each taking
// the next file.
//   decode_frames JOBS FILE...
#include <OpenImageIO/imageio.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: decode_frames JOBS FILE...\n");
    return 2;
  }
  const int jobs = std::atoi(argv[1]);
  std::atomic<int> next{2};
  std::atomic<int> failed{0};
  const auto work = [&] {
    std::vector<unsigned char> pixels;
    for (int i = next++; i < argc; i = next++) {
      auto input = OIIO::ImageInput::open(argv[i]);
      if (!input) {
        ++failed;
        continue;
      }
      const OIIO::ImageSpec header = input->spec_dimensions(0);
      pixels.resize(header.image_bytes(true));
      if (!input->read_image(0, 0, 0, header.nchannels, header.format, pixels.data())) ++failed;
    }
  };
  std::vector<std::thread> workers;
  for (int i = 1; i < jobs; ++i) workers.emplace_back(work);
  work();
  for (std::thread& worker : workers) worker.join();
  std::printf("%d files, %d failed\n", argc - 2, failed.load());
  return failed > 0 ? 1 : 0;
}
