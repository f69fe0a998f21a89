// PNG files through the Windows Imaging Component: its PNG encoder writes into a stream in
// memory, which then goes to the file.
#include "platform/dc/PngEncoder.h"

#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <fstream>

#include "platform/dc/gdi/ComScope.h"

using Microsoft::WRL::ComPtr;

namespace {

// Writes the PNG file into the stream; the reason it could not, or an empty string.
std::string Encode(std::span<const unsigned char> bgr, int width, int height, IStream* stream)
{
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))))
        return "the Windows Imaging Component is missing";
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream, WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) || FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))) ||
        FAILED(frame->SetPixelFormat(&format)))
        return "the PNG encoder cannot be set up";
    // The encoder names the format it would take instead when it cannot take this one.
    if (!IsEqualGUID(format, GUID_WICPixelFormat24bppBGR))
        return "the PNG encoder does not take 24-bit pixels";
    if (FAILED(frame->WritePixels(static_cast<UINT>(height), static_cast<UINT>(width) * 3,
                                  static_cast<UINT>(bgr.size()), const_cast<BYTE*>(bgr.data()))) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return "the PNG encoder failed";
    return {};
}

}  // namespace

std::string dc_detail::EncodePng(std::span<const unsigned char> bgr, int width, int height, const std::string& path)
{
    const ComScope com;
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(nullptr, TRUE, &stream)))
        return "out of memory";
    if (std::string reason = Encode(bgr, width, height, stream.Get()); !reason.empty())
        return reason;
    STATSTG stat{};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(GetHGlobalFromStream(stream.Get(), &memory)))
        return "the PNG encoder's output cannot be read";
    const void* bytes = GlobalLock(memory);
    std::ofstream out(path, std::ios::binary);
    if (bytes)
        out.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(stat.cbSize.QuadPart));
    GlobalUnlock(memory);
    out.close();
    if (!bytes || !out)
        return "the file cannot be written";
    return {};
}
