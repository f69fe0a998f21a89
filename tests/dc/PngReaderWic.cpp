// Reads a PNG file's bytes and decodes them with the Windows Imaging Component's PNG decoder,
// converting any pixel format to 8-bit RGB.
#include "tests/dc/PngReader.h"

#include <windows.h>

#include <wincodec.h>
#include <wrl/client.h>

#include <fstream>
#include <iterator>
#include <utility>

#include "platform/dc/gdi/ComScope.h"

using Microsoft::WRL::ComPtr;

std::optional<PngImage> ReadPng(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<BYTE> file{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (file.empty())
        return std::nullopt;
    const ComScope com;
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    GUID container{};
    ComPtr<IWICBitmapFrameDecode> frame;
    UINT width = 0, height = 0;
    WICPixelFormatGUID format{};
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        FAILED(factory->CreateStream(&stream)) ||
        FAILED(stream->InitializeFromMemory(file.data(), static_cast<DWORD>(file.size()))) ||
        FAILED(factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetContainerFormat(&container)) || !IsEqualGUID(container, GUID_ContainerFormatPng) ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&width, &height)) ||
        FAILED(frame->GetPixelFormat(&format)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame.Get(), &converted)))
        return std::nullopt;
    PngImage image;
    image.width = static_cast<int>(width);
    image.height = static_cast<int>(height);
    image.eightBitRgb = IsEqualGUID(format, GUID_WICPixelFormat24bppBGR);
    image.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    if (FAILED(converted->CopyPixels(nullptr, width * 3, static_cast<UINT>(image.rgb.size()), image.rgb.data())))
        return std::nullopt;
    for (std::size_t i = 0; i < image.rgb.size(); i += 3)
        std::swap(image.rgb[i], image.rgb[i + 2]);
    return image;
}
