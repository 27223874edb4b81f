#pragma once
// A DCMTK input stream over a file's bytes in memory that, unlike DCMTK's own buffer stream,
// can hand out a factory for reading a value later. With it DCMTK parses a file without
// loading the values longer than its maximum read length: it checks that the file holds them,
// notes where they are, and loads them when they are used. Without it DCMTK allocates
// whatever length a damaged file claims, up to 4 GB, before it finds the file too short.

#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcistrmb.h>

#include <cstdint>
#include <span>

namespace imageio {

class MemoryInputStream : public DcmInputBufferStream {
  public:
    // The bytes must outlive the stream and every data set read from it.
    explicit MemoryInputStream(std::span<const std::uint8_t> bytes);

    DcmInputStreamFactory* newFactory() const override;

  private:
    std::span<const std::uint8_t> bytes_;
    // With a decompression filter installed the position in the bytes says nothing; then, as
    // DCMTK's file stream does, no factory is given.
    const DcmProducer* plainProducer_;
};

} // namespace imageio
