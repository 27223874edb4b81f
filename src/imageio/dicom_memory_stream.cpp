#include "dicom_memory_stream.h"

namespace imageio {

namespace {

class MemoryStreamFactory : public DcmInputStreamFactory {
  public:
    MemoryStreamFactory(std::span<const std::uint8_t> bytes, offile_off_t offset)
        : bytes_(bytes), offset_(offset) {}
    DcmInputStream* create() const override {
        auto* stream = new MemoryInputStream(bytes_);
        stream->skip(offset_);
        return stream;
    }
    DcmInputStreamFactory* clone() const override { return new MemoryStreamFactory(*this); }
    DcmInputStreamFactoryType ident() const override { return DFT_DcmInputFileStreamFactory; }

  private:
    std::span<const std::uint8_t> bytes_;
    offile_off_t offset_;
};

} // namespace

MemoryInputStream::MemoryInputStream(std::span<const std::uint8_t> bytes)
    : bytes_(bytes), plainProducer_(currentProducer()) {
    setBuffer(bytes.data(), static_cast<offile_off_t>(bytes.size()));
    setEos();
}

DcmInputStreamFactory* MemoryInputStream::newFactory() const {
    if (currentProducer() != plainProducer_) {
        return nullptr;
    }
    return new MemoryStreamFactory(bytes_, tell());
}

} // namespace imageio
