-- DataProfile.lua: the editing rules of a profile.
--
-- The schema (DataProfile.xsd) names, per element and attribute, which of
-- the global functions below handles which change. Every handler decides
-- and, when it accepts, makes the change itself.
--
-- Results: 0 done, 1 refused, 2 confirmation needed (the caller asks and
-- calls again with answer 6 = Yes). By-reference integers (message id,
-- message style) come in as 0 and go back as extra return values in
-- argument order: "return code, msgId, msgStyle". Message ids are those of
-- the program's string table; styles are message-box values.
--
-- Markets: the fourth character of the model code is its power class
-- (1 = 0.5 W, 4 = 4 W, 5 = 5 W). 0.5 W radios are PMR446 radios (region
-- code 02): low power only, no repeater operation. 4 W and 5 W radios are
-- licensed business radios (region code 22): power and repeater operation
-- as their limits allow.

local DONE, REFUSED, CONFIRM = 0, 1, 2
local MB_OK, MB_YESNO = 0x0, 0x4
local ICON_QUESTION, ICON_WARNING = 0x20, 0x30
local IDYES = 6
local REFUSE_STYLE = MB_OK | ICON_WARNING
local ASK_STYLE = MB_YESNO | ICON_QUESTION

local MSG = {
    invalidValue = 261,
    nameExists = 298,
    fourDigits = 212,
    powerupText = 280,
    -- these name the character set or range the rules below apply
    nameCharacters = 10112,
    stationId = 9965,
    hangTime = 9966,
    lowBattery = 9967,
    featureOnce = 281,
    presetChannel = 282,
    frequencyUsed = 288,
    frequencyRange = 269,
    lastChannel = 338,
    presetDelete = 401,
    customTone = 478,
    highPower = 515,
    duplicateFrequency = 9301,
    frequencyTableFull = 9302,
    frequencyChange = 9303,
    codeNotSupported = 9304,
    readOnly = 9305,
    featureDisabled = 9306,
    repeaterMarket = 9307,
    modelRegion = 9308,
    nameTooLong = 9310,
    powerupCharacters = 9311,
}

local BUTTONS = { "side1_but", "side2_but", "upper_right_but", "lower_left_but", "lower_right_but" }
local MAX_CHANNELS, MAX_FREQUENCIES = 19, 99
local HANG_TIME_MAX, LOW_BATTERY_MAX = 30, 120
local TONE_MIN, TONE_MAX = 670, 2550

local function refuse(id) return REFUSED, id, REFUSE_STYLE end
local function done() return DONE, 0, 0 end
local function ask(id) return CONFIRM, id, ASK_STYLE end

-- ---- reading the profile

local function find(node, path) return node:SelectSingleNode(path) end
local function limitOf(node) return find(node, "//dfns:limit") end
local function settingOf(node) return find(node, "//dfns:setting") end
local function channelsOf(node) return find(node, "//dfns:channels") end
local function frequenciesOf(node) return find(node, "//dfns:frequencies") end

local function num(elem, name)
    local v = elem and elem:GetAttribute(name)
    return v and math.tointeger(tonumber(v:match("^%s*(%d+)"), 10)) or 0
end

local function isSet(elem, name) return elem ~= nil and elem:GetAttribute(name) == "1" end

local function modelOf(node)
    local factory = find(node, "//dfns:factory_setting")
    return factory and factory:GetAttribute("model") or ""
end

local function isPmr446(node) return modelOf(node):sub(4, 4) == "1" end

local function elementsNamed(parent, name)
    local list = {}
    if parent then
        for _, c in ipairs(parent:Children()) do
            if c:NodeType() == "element" and c:Name() == name then list[#list + 1] = c end
        end
    end
    return list
end

local function channelsInUse(node)
    local all = elementsNamed(channelsOf(node), "channel")
    local used = num(settingOf(node), "numberChannels")
    local list = {}
    for i = 1, math.min(used, #all) do list[i] = all[i] end
    return list
end

-- ---- reading a requested value

local function trim(s) return (s:gsub("^%s+", ""):gsub("%s+$", "")) end

local function asInteger(value)
    local t = type(value)
    if t == "boolean" then return value and 1 or 0 end
    if t == "number" then return math.tointeger(value) end
    if t == "string" then
        local digits = trim(value):match("^%d+$")
        return digits and math.tointeger(tonumber(digits, 10)) or nil
    end
    return nil
end

local function asFlag(value)
    if type(value) == "string" then
        local s = trim(value):lower()
        if s == "true" then return 1 end
        if s == "false" then return 0 end
    end
    local n = asInteger(value)
    if n == 0 or n == 1 then return n end
    return nil
end

local function asText(value)
    if type(value) == "boolean" then return value and "1" or "0" end
    if value == nil then return "" end
    return tostring(value)
end

local function inRange(n, lo, hi) return n ~= nil and n >= lo and n <= hi end

-- ---- frequencies

local function frequencyRange(node, direction)
    local limit = limitOf(node)
    local lo, hi = num(limit, "start_freq"), num(limit, "end_freq")
    if direction and limit:HasAttribute(direction .. "_start_freq") and limit:HasAttribute(direction .. "_end_freq") then
        lo = math.max(lo, num(limit, direction .. "_start_freq"))
        hi = math.min(hi, num(limit, direction .. "_end_freq"))
    end
    return lo, hi
end

-- Whether the synthesizer can be set to `hz` from the profile's integer
-- base: the divider N = hz / 1 050 000 lies within base .. base + 255 (the
-- slot holds N - base in one byte) and the radio's 32-bit sum 2 100 000 * N
-- + 2 * fraction does not overflow.
local SYNTH_STEP = 1050000
local function representable(node, hz)
    if hz == nil or hz < 0 or hz > 0xFFFFFFFF then return false end
    local base = num(find(node, "//dfns:factory_setting"), "synth_base_int_part")
    local n = hz // SYNTH_STEP
    if n < base or n - base > 255 then return false end
    return 2 * SYNTH_STEP * n + 2 * (hz - SYNTH_STEP * n) <= 0xFFFFFFFF
end

local function frequencyInRange(node, hz, direction)
    local lo, hi = frequencyRange(node, direction)
    return hz ~= nil and hz >= lo and hz <= hi and representable(node, hz)
end

-- Position (from 0) of another entry holding `hz`, or nil.
local function duplicateOf(table, hz, except)
    for i, f in ipairs(elementsNamed(table, "frequency")) do
        if i - 1 ~= except and num(f, "freq") == hz then return i - 1 end
    end
    return nil
end

local function frequencyUsed(node, position)
    for _, ch in ipairs(channelsInUse(node)) do
        if num(ch, "rx_freq_ndx") == position or num(ch, "tx_freq_ndx") == position then return true end
    end
    return false
end

local function isHighPowerMode(mode) return mode == 0 or mode == 2 end

-- First frequency position usable for a direction, or 0.
local function firstFrequencyFor(node, direction)
    for i, f in ipairs(elementsNamed(frequenciesOf(node), "frequency")) do
        if frequencyInRange(node, num(f, "freq"), direction) then return i - 1 end
    end
    return 0
end

-- ---- generic attributes

-- Range of each attribute handled by SetValue, per element. flag: 0 or 1;
-- max may name a limit attribute; needs: a limit flag that must be clear
-- (or, with needsSet, set) for a non-zero value.
local RANGES = {
    setting = {
        disableLED = { flag = true }, disableRestoreFactoryDefault = { flag = true },
        backlight_enabled = { flag = true }, reverseBurst = { flag = true, needsSet = "enable_reverse_burst" },
        batteryType = { flag = true }, disableBatterySave = { flag = true },
        rogerBeepTone = { flag = true, needs = "disable_roger_beep_feature" },
        disableSelectableScramble = { flag = true }, keypadLock = { flag = true, needs = "disable_keypad_lock_feature" },
        keypadBeep = { flag = true, needs = "disable_keypad_beep_feature" }, courtesy_over = { flag = true },
        timeoutTimer = { max = 255 }, vox_level = { max = 3 }, ivol_level = { max = 3 }, microphoneGain = { max = 3 },
        accessoryMicrophoneGain = { max = 15 }, backlight_timeout = { max = 255 },
        callTone = { max = "max_call_tones" }, rep_id_mode = { max = 3 }, onbatt_alert = { max = 4 },
    },
    channel = {
        rx_bw = { flag = true }, tx_bw = { flag = true },
        repeater = { flag = true, needs = "disable_repeater_feature" },
        autoScan = { flag = true, needs = "disable_scan_mode" },
        in_scanlist = { flag = true, needs = "disable_scan_mode" },
        scramble_code = { max = 3, needs = "disable_scramble_feature" },
    },
    frequency = { bandwidth = { max = 3 }, compander_lle_mode = { max = 3 } },
    limit = { programming_mode_enabled = { flag = true } },
}

function SetValue(elem, attr, value, msgId, answer, msgStyle)
    local name = attr:Name()
    local rule = (RANGES[elem:Name()] or {})[name]
    if not rule then return refuse(MSG.invalidValue) end
    local n
    if rule.flag then
        n = asFlag(value)
    else
        n = asInteger(value)
        local max = rule.max
        if type(max) == "string" then max = num(limitOf(elem), max) end
        if not inRange(n, 0, max) then n = nil end
    end
    if n == nil then return refuse(MSG.invalidValue) end
    if n ~= 0 and n ~= num(elem, name) then
        local limit = limitOf(elem)
        if (rule.needs and isSet(limit, rule.needs)) or (rule.needsSet and not isSet(limit, rule.needsSet)) then
            return refuse(MSG.featureDisabled)
        end
    end
    elem:SetAttribute(name, n)
    return done()
end

-- Values the radio fixes: only a request that changes nothing is accepted.
function SetReadOnly(elem, attr, value, msgId, answer, msgStyle)
    if asText(value) == attr:Value() then return done() end
    return refuse(MSG.readOnly)
end

-- Structural children are never removed.
function KeepChild(child, index, msgId, answer, msgStyle)
    return refuse(MSG.invalidValue)
end

-- ---- identity and market

-- Only the region code may change, and only to 02 on a PMR446 radio.
function SetModel(elem, attr, value, msgId, answer, msgStyle)
    local new, old = asText(value), attr:Value()
    if new == old then return done() end
    if #new ~= 8 or new:sub(1, 6) ~= old:sub(1, 6) or new:sub(7, 8) ~= "02" or not isPmr446(elem) then
        return refuse(MSG.modelRegion)
    end
    elem:SetAttribute("model", new)
    return done()
end

-- Repeater operation may be switched on only for licensed business radios.
function SetRepeaterDisable(elem, attr, value, msgId, answer, msgStyle)
    local n = asFlag(value)
    if n == nil then return refuse(MSG.invalidValue) end
    if n == 0 and num(elem, "disable_repeater_feature") ~= 0 and isPmr446(elem) then
        return refuse(MSG.repeaterMarket)
    end
    elem:SetAttribute("disable_repeater_feature", n)
    if n == 1 then
        for _, ch in ipairs(elementsNamed(channelsOf(elem), "channel")) do ch:SetAttribute("repeater", 0) end
    end
    return done()
end

-- Channel powers: 0 high, 1 low. PMR446 radios transmit low power only;
-- others choose when their power is selectable.
function SetChannelPower(elem, attr, value, msgId, answer, msgStyle)
    local name = attr:Name()
    local n = asFlag(value)
    if n == nil then return refuse(MSG.invalidValue) end
    if n == num(elem, name) then return done() end
    if isPmr446(elem) then
        if n == 0 then return refuse(MSG.highPower) end
    elseif not isSet(limitOf(elem), "power_cntrl_enabled") then
        return refuse(MSG.featureDisabled)
    end
    elem:SetAttribute(name, n)
    return done()
end

-- Frequency power modes: 0 high only, 1 low only, 2 selectable with high
-- as default, 3 selectable with low as default. A fixed mode becomes a
-- selectable one only on a radio whose power is selectable (limit
-- power_cntrl_enabled); a selectable entry may change its default.
local function isSelectablePowerMode(mode) return mode == 2 or mode == 3 end

local function selectableRefused(node, mode, current)
    return isSelectablePowerMode(mode) and not isSelectablePowerMode(current)
        and not isSet(limitOf(node), "power_cntrl_enabled")
end

function SetFreqPowerLevel(elem, attr, value, msgId, answer, msgStyle)
    local n = asInteger(value)
    if not inRange(n, 0, 3) then return refuse(MSG.invalidValue) end
    if n ~= num(elem, "power_level") and isHighPowerMode(n) and isPmr446(elem) then return refuse(MSG.highPower) end
    if selectableRefused(elem, n, num(elem, "power_level")) then return refuse(MSG.featureDisabled) end
    elem:SetAttribute("power_level", n)
    return done()
end

-- ---- settings

function SetPassword(elem, attr, value, msgId, answer, msgStyle)
    local s = asText(value)
    if s ~= "" and not s:match("^%d%d%d%d$") then return refuse(MSG.fourDigits) end
    elem:SetAttribute("password", s)
    return done()
end

-- At most 8 characters, each one the radio's display can show (printable ASCII).
function SetPowerupString(elem, attr, value, msgId, answer, msgStyle)
    local s = asText(value)
    local length = utf8.len(s)
    if length ~= nil and length > 8 then return refuse(MSG.powerupText) end
    if length == nil or not s:match("^[\32-\126]*$") then return refuse(MSG.powerupCharacters) end
    elem:SetAttribute("powerupString", s)
    return done()
end

function SetStationID(elem, attr, value, msgId, answer, msgStyle)
    local s = asText(value)
    if #s > 9 or not s:match("^[%w/]*$") then return refuse(MSG.stationId) end
    elem:SetAttribute("stationID", s)
    return done()
end

function SetHangTime(elem, attr, value, msgId, answer, msgStyle)
    local n = asInteger(value)
    if not inRange(n, 0, HANG_TIME_MAX) then return refuse(MSG.hangTime) end
    elem:SetAttribute("rep_hangtime", n)
    return done()
end

function SetLowBatteryTx(elem, attr, value, msgId, answer, msgStyle)
    local n = asInteger(value)
    if not inRange(n, 0, LOW_BATTERY_MAX) then return refuse(MSG.lowBattery) end
    elem:SetAttribute("low_battery_tx", n)
    return done()
end

-- Customised CT tones, in tenths of a hertz: 67.0 to 255.0 Hz.
function SetCustomTone(elem, attr, value, msgId, answer, msgStyle)
    local n = asInteger(value)
    if not inRange(n, TONE_MIN, TONE_MAX) then return refuse(MSG.customTone) end
    elem:SetAttribute(attr:Name(), n)
    return done()
end

-- The features a button may carry, as the button list (lib/ButtonList.stv)
-- offers them for every model: { code, limit attribute, offered when that
-- attribute is 0 (0) or set (1) }. Side buttons 1 and 2 carry the COMMON
-- group; buttons A, B and C also the group of the model's display type and
-- the preset buttons (as many as limit maxPresetButtons). Call tone also
-- needs limit max_call_tones above 0.
local BUTTON_FEATURES = {
    COMMON = { { 7, "monitor_feature_disable", 0 }, { 4, "disable_scan_mode", 0 }, { 3, "call_feature_disable", 0 },
        { 12, "disable_scramble_feature", 0 }, { 5, "disable_repeater_feature", 0 } },
    DISPLAY = { { 11, "backlight_button_enabled", 1 }, { 1, "power_cntrl_enabled", 1 } },
    NONDISPLAY = { { 1, "power_cntrl_enabled", 1 } },
    PREBUTTON = { { 9 }, { 10 } },
}
local SIDE_BUTTONS = { side1_but = true, side2_but = true }
local CALL_TONE_FEATURE = 3

local function featureKnown(code)
    for _, group in pairs(BUTTON_FEATURES) do
        for _, f in ipairs(group) do if f[1] == code then return true end end
    end
    return false
end

local function featureOffered(elem, button, code)
    if code == 0 then return true end
    local limit = limitOf(elem)
    local groups = { BUTTON_FEATURES.COMMON }
    if not SIDE_BUTTONS[button] then
        local display = modelOf(elem):sub(3, 3):upper() == "D"
        groups[2] = display and BUTTON_FEATURES.DISPLAY or BUTTON_FEATURES.NONDISPLAY
        groups[3] = BUTTON_FEATURES.PREBUTTON
    end
    for g, group in ipairs(groups) do
        for i, f in ipairs(group) do
            if f[1] == code then
                if group == BUTTON_FEATURES.PREBUTTON then
                    if i <= num(limit, "maxPresetButtons") then return true end
                elseif (f[3] == 0) == (num(limit, f[2]) == 0)
                    and (code ~= CALL_TONE_FEATURE or num(limit, "max_call_tones") > 0) then
                    return true
                end
            end
        end
    end
    return false
end

-- One feature per button, among those the button list offers the button;
-- 0 (no feature) may be on any number of them.
function SetButton(elem, attr, value, msgId, answer, msgStyle)
    local name = attr:Name()
    local n = asInteger(value)
    if not inRange(n, 0, 15) or (n ~= 0 and not featureKnown(n)) then return refuse(MSG.invalidValue) end
    if n ~= num(elem, name) and not featureOffered(elem, name, n) then return refuse(MSG.featureDisabled) end
    if n ~= 0 then
        for _, other in ipairs(BUTTONS) do
            if other ~= name and elem:HasAttribute(other) and num(elem, other) == n then return refuse(MSG.featureOnce) end
        end
    end
    elem:SetAttribute(name, n)
    return done()
end

function SetPresetChannel(elem, attr, value, msgId, answer, msgStyle)
    local n = asInteger(value)
    if not inRange(n, 0, num(settingOf(elem), "numberChannels") - 1) then return refuse(MSG.presetChannel) end
    elem:SetAttribute("channel", n)
    return done()
end

-- ---- channels

-- The message nameCharacters lists this set: change the two together.
local function validName(s) return #s >= 1 and #s <= 8 and s:match("^[%w %-_%.%/%+%*#%(%)!]+$") ~= nil end

local function nameTaken(node, name, except)
    local wanted = name:upper()
    for _, ch in ipairs(elementsNamed(channelsOf(node), "channel")) do
        if ch ~= except and trim(ch:GetAttribute("name") or ""):upper() == wanted then return true end
    end
    return false
end

function SetChannelName(elem, attr, value, msgId, answer, msgStyle)
    local s = trim(asText(value))
    local length = utf8.len(s)
    if length ~= nil and length > 8 then return refuse(MSG.nameTooLong) end
    if not validName(s) then return refuse(MSG.nameCharacters) end
    if nameTaken(elem, s, elem) then return refuse(MSG.nameExists) end
    elem:SetAttribute("name", s)
    return done()
end

function SetFreqIndex(elem, attr, value, msgId, answer, msgStyle)
    local name = attr:Name()
    local n = asInteger(value)
    local entries = elementsNamed(frequenciesOf(elem), "frequency")
    if not inRange(n, 0, #entries - 1) then return refuse(MSG.frequencyRange) end
    local direction = name == "rx_freq_ndx" and "rx" or "tx"
    if not frequencyInRange(elem, num(entries[n + 1], "freq"), direction) then return refuse(MSG.frequencyRange) end
    elem:SetAttribute(name, n)
    return done()
end

function SetSquelchCode(elem, attr, value, msgId, answer, msgStyle)
    local n = asInteger(value)
    if not inRange(n, 0, num(limitOf(elem), "maxCodes")) then return refuse(MSG.codeNotSupported) end
    elem:SetAttribute(attr:Name(), n)
    return done()
end

function CanAddChannel(channels)
    local limit = limitOf(channels)
    local max = math.min(num(limit, "maxChannels"), MAX_CHANNELS)
    return num(settingOf(channels), "numberChannels") < max
end

local CHANNEL_ATTRIBUTES = { "rx_freq_ndx", "rx_code", "tx_freq_ndx", "tx_code", "rx_bw", "tx_bw", "talkaround_power",
    "repeater_power", "repeater", "autoScan", "scramble_code", "name", "in_scanlist" }

-- A new channel: the next free slot, a unique name, the first usable
-- frequencies, no squelch codes, low power on PMR446 radios.
function AddChannel(channels)
    if not CanAddChannel(channels) then return nil end
    local setting = settingOf(channels)
    local used = num(setting, "numberChannels")
    local slot = elementsNamed(channels, "channel")[used + 1]
    if not slot then
        slot = channels:CreateElement("channel")
        channels:AppendChild(slot)
    end
    -- An unused slot (kept from the radio's table) is taken over as it is.
    local k = 1
    while nameTaken(channels, ("CHAN %02d"):format(k), slot) do k = k + 1 end
    local low = isPmr446(channels) and 1 or 0
    local values = {
        rx_freq_ndx = firstFrequencyFor(channels, "rx"), rx_code = 0, tx_freq_ndx = firstFrequencyFor(channels, "tx"),
        tx_code = 0, rx_bw = 0, tx_bw = 0, talkaround_power = low, repeater_power = low, repeater = 0, autoScan = 0,
        scramble_code = 0, name = ("CHAN %02d"):format(k), in_scanlist = 0,
    }
    for _, a in ipairs(CHANNEL_ATTRIBUTES) do slot:SetAttribute(a, values[a]) end
    setting:SetAttribute("numberChannels", used + 1)
    return slot
end

function CanDeleteChannel(elem)
    local used = num(settingOf(elem), "numberChannels")
    if elem:Name() == "channel" and elem:Index() >= used then return true end
    return used > 1
end

-- Deleting a channel that a preset button uses asks first; on Yes the
-- preset moves to the channel before it (or the first one).
function DeleteChannel(child, index, msgId, answer, msgStyle)
    local channels = child:Parent()
    local setting = settingOf(child)
    local used = num(setting, "numberChannels")
    if index >= used then
        channels:RemoveChild(child)
        return done()
    end
    if used <= 1 then return refuse(MSG.lastChannel) end
    local presets = elementsNamed(setting, "preset")
    if answer ~= IDYES then
        for _, p in ipairs(presets) do
            if num(p, "channel") == index then return ask(MSG.presetDelete) end
        end
    end
    channels:RemoveChild(child)
    setting:SetAttribute("numberChannels", used - 1)
    for _, p in ipairs(presets) do
        local c = num(p, "channel")
        if c == index then
            p:SetAttribute("channel", math.max(index - 1, 0))
        elseif c > index then
            p:SetAttribute("channel", c - 1)
        end
    end
    return done()
end

-- ---- the frequency table

function CanAddFrequency(table)
    local max = math.min(num(limitOf(table), "max_valid_freqs"), MAX_FREQUENCIES)
    return #elementsNamed(table, "frequency") < max
end

-- `current`: the entry's power mode before the change (nil for a new entry).
local function checkFrequencyModes(node, bandwidth, power, compander, current)
    if not inRange(bandwidth, 0, 3) or not inRange(power, 0, 3) or not inRange(compander, 0, 3) then
        return MSG.invalidValue
    end
    if isHighPowerMode(power) and isPmr446(node) then return MSG.highPower end
    if selectableRefused(node, power, current) then return MSG.featureDisabled end
    return nil
end

function AddFrequency(table, hz, bandwidth, power, msgId, msgStyle)
    if not CanAddFrequency(table) then return refuse(MSG.frequencyTableFull) end
    hz = asInteger(hz)
    if not frequencyInRange(table, hz) then return refuse(MSG.frequencyRange) end
    if duplicateOf(table, hz) then return refuse(MSG.duplicateFrequency) end
    bandwidth, power = asInteger(bandwidth), asInteger(power)
    local problem = checkFrequencyModes(table, bandwidth, power, 0)
    if problem then return refuse(problem) end
    local entry = table:CreateElement("frequency")
    entry:SetAttribute("freq", hz)
    entry:SetAttribute("bandwidth", bandwidth)
    entry:SetAttribute("power_level", power)
    entry:SetAttribute("compander_lle_mode", 0)
    table:AppendChild(entry)
    return done()
end

-- A change of an entry's frequency that channels use asks first.
function SetFrequency(table, hz, bandwidth, power, compander, position, msgId, msgStyle, answer)
    local entry = elementsNamed(table, "frequency")[(asInteger(position) or -1) + 1]
    if not entry then return refuse(MSG.invalidValue) end
    position = asInteger(position)
    hz = asInteger(hz)
    if not frequencyInRange(table, hz) then return refuse(MSG.frequencyRange) end
    if duplicateOf(table, hz, position) then return refuse(MSG.duplicateFrequency) end
    bandwidth, power, compander = asInteger(bandwidth), asInteger(power), asInteger(compander)
    local problem = checkFrequencyModes(table, bandwidth, power, compander, num(entry, "power_level"))
    if problem and not (problem == MSG.highPower and power == num(entry, "power_level")) then
        return refuse(problem)
    end
    if hz ~= num(entry, "freq") and frequencyUsed(table, position) and answer ~= IDYES then
        return ask(MSG.frequencyChange)
    end
    entry:SetAttribute("freq", hz)
    entry:SetAttribute("bandwidth", bandwidth)
    entry:SetAttribute("power_level", power)
    entry:SetAttribute("compander_lle_mode", compander)
    return done()
end

function SetFreqValue(elem, attr, value, msgId, answer, msgStyle)
    local table = elem:Parent()
    local position = elem:Index()
    local hz = asInteger(value)
    if not frequencyInRange(elem, hz) then return refuse(MSG.frequencyRange) end
    if duplicateOf(table, hz, position) then return refuse(MSG.duplicateFrequency) end
    if hz ~= num(elem, "freq") and frequencyUsed(elem, position) and answer ~= IDYES then
        return ask(MSG.frequencyChange)
    end
    elem:SetAttribute("freq", hz)
    return done()
end

-- Asked on the table (with a position) or on one entry.
function CanDeleteFrequency(elem, position)
    if elem:Name() == "frequency" then
        position = position or elem:Index()
    elseif position == nil then
        return #elementsNamed(elem, "frequency") > 0
    end
    return not frequencyUsed(elem, asInteger(position))
end

-- A frequency no channel uses can go; later positions move down by one.
function DeleteFrequency(child, index, msgId, answer, msgStyle)
    if frequencyUsed(child, index) then return refuse(MSG.frequencyUsed) end
    local channels = elementsNamed(channelsOf(child), "channel")
    child:Parent():RemoveChild(child)
    for _, ch in ipairs(channels) do
        for _, a in ipairs({ "rx_freq_ndx", "tx_freq_ndx" }) do
            local n = num(ch, a)
            if n > index then
                ch:SetAttribute(a, n - 1)
            elseif n == index then
                ch:SetAttribute(a, 0)
            end
        end
    end
    return done()
end
