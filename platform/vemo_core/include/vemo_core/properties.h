#pragma once

#include "vemo_core/types.h"

#include <QMetaType>

#include <string>
#include <vector>

namespace CL {

// How a sound effect of a cue plays.
class SfxProperties {
public:
    SfxProperties() = default;

    void setName(std::string name) { name_ = std::move(name); }
    void setOutputPath(std::string outputPathId) { outputPath_ = std::move(outputPathId); }
    void setEffectId(std::string effectId) { effectId_ = std::move(effectId); }
    void setEffectIdIndex(int index) { effectIdIndex_ = index; }
    void setVolume(float gain) { volume_ = gain; }
    void setPan(float pan) { pan_ = pan; }
    void setReverb(float reverb) { reverb_ = reverb; }
    void setFadeIn(UInt16 ms) { fadeIn_ = ms; }
    void setFadeOut(UInt16 ms) { fadeOut_ = ms; }
    void setRepeats(int repeats) { repeats_ = repeats; }

    const std::string& name() const { return name_; }
    const std::string& outputPath() const { return outputPath_; }
    const std::string& effectId() const { return effectId_; }
    int effectIdIndex() const { return effectIdIndex_; }
    float volume() const { return volume_; } // linear gain
    float pan() const { return pan_; } // 0..1, 0.5 centre
    float reverb() const { return reverb_; } // 0..1
    UInt16 fadeIn() const { return fadeIn_; } // ms
    UInt16 fadeOut() const { return fadeOut_; } // ms
    int repeats() const { return repeats_; } // -1 loops

    bool operator==(const SfxProperties& other) const = default;

private:
    std::string name_;
    std::string outputPath_;
    std::string effectId_;
    int effectIdIndex_ = 0;
    float volume_ = 1.0f;
    float pan_ = 0.5f;
    float reverb_ = 0.0f;
    UInt16 fadeIn_ = 0;
    UInt16 fadeOut_ = 0;
    int repeats_ = 0;
};

// The message of an OSC cue and the network destination it goes to.
class OscProperties {
public:
    OscProperties(std::string message = {}, std::string networkId = {})
        : message_(std::move(message))
        , networkId_(std::move(networkId))
    {
    }

    const std::string& Message() const { return message_; }
    const std::string& NetworkId() const { return networkId_; }

    bool operator==(const OscProperties& other) const = default;

private:
    std::string message_;
    std::string networkId_;
};

// An OSC network destination of the show.
class NetworkPath {
public:
    NetworkPath() = default;

    const std::string& Name() const { return name_; }
    const std::string& NetworkId() const { return networkId_; }
    const std::string& IpAddress() const { return ipAddress_; }
    std::int32_t Port() const { return port_; }
    std::int32_t Transport() const { return transport_; } // 1 tcp, else udp

    void SetName(std::string name) { name_ = std::move(name); }
    void SetNetworkId(std::string id) { networkId_ = std::move(id); }
    void SetIpAddress(std::string address) { ipAddress_ = std::move(address); }
    void SetPort(std::int32_t port) { port_ = port; }
    void SetTransport(std::int32_t transport) { transport_ = transport; }

    bool operator==(const NetworkPath& other) const = default;

private:
    std::string name_;
    std::string networkId_;
    std::string ipAddress_;
    std::int32_t port_ = 0;
    std::int32_t transport_ = 0;
};

using NetworkPathVectorT = std::vector<NetworkPath>;

// An audio output path of the show ("" device id = the system's default device).
class OutputPath {
public:
    OutputPath() = default;
    OutputPath(std::string id, std::string name, std::string deviceId, std::string deviceName)
        : id_(std::move(id))
        , name_(std::move(name))
        , deviceId_(std::move(deviceId))
        , deviceName_(std::move(deviceName))
    {
    }

    const std::string& GetId() const { return id_; }
    const std::string& GetName() const { return name_; }
    const std::string& GetDeviceId() const { return deviceId_; }
    const std::string& GetDeviceName() const { return deviceName_; }

    bool operator==(const OutputPath& other) const = default;

private:
    std::string id_;
    std::string name_;
    std::string deviceId_;
    std::string deviceName_;
};

} // namespace CL

Q_DECLARE_METATYPE(CL::OutputPath)
