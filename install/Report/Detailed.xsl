<?xml version="1.0" encoding="UTF-8"?>
<!--
  Detailed report: every value of the profile. Labels are "$#" keys that
  the program replaces with texts of the current language. Before use the
  program writes the language's decimal separator for the SPLITTER key and
  into the number patterns, and points the four range variables at the
  limit element's common range. Channel codes arrive as display texts.
  Scan list rows start with the row placeholder, which becomes a row.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="ReportStyle.xsl"/>
  <xsl:output method="html" version="4.0" encoding="UTF-8" indent="no"/>
  <xsl:decimal-format name="cps" decimal-separator="$#SPLITTER" grouping-separator="'"/>

  <xsl:variable name="rx_freq_start" select="/TavoProfile/limit/@rx_start_freq"/>
  <xsl:variable name="rx_freq_end" select="/TavoProfile/limit/@rx_end_freq"/>
  <xsl:variable name="tx_freq_start" select="/TavoProfile/limit/@tx_start_freq"/>
  <xsl:variable name="tx_freq_end" select="/TavoProfile/limit/@tx_end_freq"/>

  <xsl:variable name="fs" select="/TavoProfile/factory_setting"/>
  <xsl:variable name="limit" select="/TavoProfile/limit"/>
  <xsl:variable name="setting" select="/TavoProfile/setting"/>
  <xsl:variable name="freqs" select="/TavoProfile/frequencies/frequency"/>
  <xsl:variable name="channels" select="/TavoProfile/channels/channel[position() &lt;= /TavoProfile/setting/@numberChannels]"/>

  <xsl:template name="mhz">
    <xsl:param name="hz"/>
    <xsl:value-of select="format-number($hz div 1000000, '#.000000', 'cps')"/>
  </xsl:template>

  <xsl:template name="flag">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="$value = '1'">$#Enable</xsl:when>
      <xsl:otherwise>$#Disable</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="level">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="$value = 0">$#OFF</xsl:when>
      <xsl:when test="$value = 1">$#Low</xsl:when>
      <xsl:when test="$value = 2">$#Medium</xsl:when>
      <xsl:otherwise>$#High</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="row">
    <xsl:param name="name"/>
    <xsl:param name="value"/>
    <tr>
      <td class="ItemName" width="45%"><xsl:value-of select="$name"/></td>
      <td class="ItemVal"><xsl:copy-of select="$value"/></td>
    </tr>
  </xsl:template>

  <!-- A channel's frequency with its table position, marked when outside the range. -->
  <xsl:template name="channel-freq">
    <xsl:param name="index"/>
    <xsl:param name="low"/>
    <xsl:param name="high"/>
    <xsl:variable name="f" select="$freqs[position() = $index + 1]/@freq"/>
    <xsl:choose>
      <xsl:when test="$f">
        <xsl:call-template name="mhz"><xsl:with-param name="hz" select="$f"/></xsl:call-template>
        <xsl:text> (</xsl:text><xsl:value-of select="$index + 1"/><xsl:text>)</xsl:text>
        <xsl:if test="number($f) &lt; number($low) or number($f) &gt; number($high)">
          <br/><span class="warn">$#Out of range</span>
        </xsl:if>
      </xsl:when>
      <xsl:otherwise>$#None</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="code">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="$value = '0' or $value = ''">$#No CT/DCS code</xsl:when>
      <xsl:otherwise><xsl:value-of select="$value"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="bw">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="$value = '1'">$#25KHz</xsl:when>
      <xsl:otherwise>$#12.5KHz</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="power">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="$value = '1'">$#Low</xsl:when>
      <xsl:otherwise>$#High</xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="button">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="$value = 0">$#No Operation</xsl:when>
      <xsl:when test="$value = 1">$#Tx Power Selection</xsl:when>
      <xsl:when test="$value = 3">$#Call Tone</xsl:when>
      <xsl:when test="$value = 4">$#Scan/Nuisance Channel Delete</xsl:when>
      <xsl:when test="$value = 5">$#Repeater/Talkaround</xsl:when>
      <xsl:when test="$value = 7">$#Monitor</xsl:when>
      <xsl:when test="$value = 9">$#Preset 1</xsl:when>
      <xsl:when test="$value = 10">$#Preset 2</xsl:when>
      <xsl:when test="$value = 11">$#Backlight</xsl:when>
      <xsl:when test="$value = 12">$#Scramble</xsl:when>
      <xsl:otherwise><xsl:value-of select="$value"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <xsl:template name="preset">
    <xsl:param name="channel"/>
    <xsl:variable name="c" select="/TavoProfile/channels/channel[position() = $channel + 1]"/>
    <xsl:value-of select="$channel + 1"/>
    <xsl:if test="$c"><xsl:text> - </xsl:text><xsl:value-of select="$c/@name"/></xsl:if>
  </xsl:template>

  <xsl:template match="/">
    <html>
      <head>
        <title>$#Detailed Report</title>
        <xsl:call-template name="report-style"/>
      </head>
      <body>
        <h1>$#Detailed Report</h1>
        <p class="sub"><xsl:value-of select="$fs/@model"/></p>

        <h2>$#Radio Information</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="row"><xsl:with-param name="name">$#Regional Code</xsl:with-param><xsl:with-param name="value" select="substring($fs/@model, 7)"/></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Serial Number</xsl:with-param><xsl:with-param name="value" select="string($fs/@serial)"/></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Firmware Version</xsl:with-param><xsl:with-param name="value" select="concat($fs/@firmware_phase, $fs/@firmware_version, '$#SPLITTER', $fs/@firmware_revision)"/></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Codeplug Version</xsl:with-param><xsl:with-param name="value" select="concat($fs/@codeplug_phase, $fs/@codeplug_version, '$#SPLITTER', $fs/@codeplug_dev_version)"/></xsl:call-template>
          <xsl:call-template name="row">
            <xsl:with-param name="name">$#Rx Frequency Range (MHz)</xsl:with-param>
            <xsl:with-param name="value"><xsl:call-template name="mhz"><xsl:with-param name="hz" select="$rx_freq_start"/></xsl:call-template> - <xsl:call-template name="mhz"><xsl:with-param name="hz" select="$rx_freq_end"/></xsl:call-template></xsl:with-param>
          </xsl:call-template>
          <xsl:call-template name="row">
            <xsl:with-param name="name">$#Tx Frequency Range (MHz)</xsl:with-param>
            <xsl:with-param name="value"><xsl:call-template name="mhz"><xsl:with-param name="hz" select="$tx_freq_start"/></xsl:call-template> - <xsl:call-template name="mhz"><xsl:with-param name="hz" select="$tx_freq_end"/></xsl:call-template></xsl:with-param>
          </xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Maximum Channel</xsl:with-param><xsl:with-param name="value" select="string($limit/@maxChannels)"/></xsl:call-template>
        </table>

        <h2>$#General Settings</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="row"><xsl:with-param name="name">$#Power Up Text</xsl:with-param><xsl:with-param name="value" select="string($setting/@powerupString)"/></xsl:call-template>
          <xsl:if test="$limit/@disable_busy_led_mode != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Disable All LEDs</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@disableLED"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@disable_keypad_lock_feature != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Keypad Lock</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@keypadLock"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@factory_reset_disable != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Disable Restore Factory Default</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@disableRestoreFactoryDefault"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Enable Programming Mode</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$limit/@programming_mode_enabled"/></xsl:call-template></xsl:with-param></xsl:call-template>
          <xsl:call-template name="row">
            <xsl:with-param name="name">$#Back Light (Sec.)</xsl:with-param>
            <xsl:with-param name="value"><xsl:choose><xsl:when test="$setting/@backlight_enabled = '1'"><xsl:value-of select="$setting/@backlight_timeout"/></xsl:when><xsl:otherwise>$#OFF</xsl:otherwise></xsl:choose></xsl:with-param>
          </xsl:call-template>
          <xsl:if test="$limit/@disable_time_out_timer != '1'">
            <xsl:call-template name="row">
              <xsl:with-param name="name">$#Transmit Timeout Timer (Sec.)</xsl:with-param>
              <xsl:with-param name="value"><xsl:choose><xsl:when test="$setting/@timeoutTimer = 0">$#OFF</xsl:when><xsl:otherwise><xsl:value-of select="$setting/@timeoutTimer"/></xsl:otherwise></xsl:choose></xsl:with-param>
            </xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@enable_reverse_burst = '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#CT Reverse Burst</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@reverseBurst"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:call-template name="row">
            <xsl:with-param name="name">$#Alternate Battery Selection</xsl:with-param>
            <xsl:with-param name="value"><xsl:choose><xsl:when test="$setting/@batteryType != '0'">$#Nickel/LiIon</xsl:when><xsl:otherwise>$#Alkaline</xsl:otherwise></xsl:choose></xsl:with-param>
          </xsl:call-template>
          <xsl:if test="$limit/@disable_battery_save_feature != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Disable Battery Save</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@disableBatterySave"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@disable_scramble_feature != '1'">
            <xsl:call-template name="row">
              <xsl:with-param name="name">$#Scramble Button</xsl:with-param>
              <xsl:with-param name="value"><xsl:choose><xsl:when test="$setting/@disableSelectableScramble = '1'">$#ON/OFF</xsl:when><xsl:otherwise>$#Selectable</xsl:otherwise></xsl:choose></xsl:with-param>
            </xsl:call-template>
          </xsl:if>
          <xsl:if test="$setting/@stationID">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Repeater Station ID</xsl:with-param><xsl:with-param name="value" select="string($setting/@stationID)"/></xsl:call-template>
            <xsl:call-template name="row">
              <xsl:with-param name="name">$#Repeater ID Mode</xsl:with-param>
              <xsl:with-param name="value"><xsl:choose><xsl:when test="$setting/@rep_id_mode = 1">$#15</xsl:when><xsl:when test="$setting/@rep_id_mode = 2">$#30</xsl:when><xsl:when test="$setting/@rep_id_mode = 3">$#After conversation</xsl:when><xsl:otherwise>$#Disable</xsl:otherwise></xsl:choose></xsl:with-param>
            </xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#Tx Hangtime (Sec.)</xsl:with-param><xsl:with-param name="value" select="string($setting/@rep_hangtime)"/></xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#Tx Low Battery (Min.)</xsl:with-param><xsl:with-param name="value" select="string($setting/@low_battery_tx)"/></xsl:call-template>
            <xsl:call-template name="row">
              <xsl:with-param name="name">$#On Battery Alert Tone</xsl:with-param>
              <xsl:with-param name="value"><xsl:choose><xsl:when test="$setting/@onbatt_alert = 1">$#15 min</xsl:when><xsl:when test="$setting/@onbatt_alert = 2">$#30 min</xsl:when><xsl:when test="$setting/@onbatt_alert = 3">$#45 min</xsl:when><xsl:when test="$setting/@onbatt_alert = 4">60 min</xsl:when><xsl:otherwise>$#Disable</xsl:otherwise></xsl:choose></xsl:with-param>
            </xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#Enable Courtesy Over Beep</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@courtesy_over"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
        </table>

        <h2>$#Audio Settings</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="row"><xsl:with-param name="name">$#Microphone Gain</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="level"><xsl:with-param name="value" select="$setting/@microphoneGain"/></xsl:call-template></xsl:with-param></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Accessory Microphone Gain</xsl:with-param><xsl:with-param name="value" select="string($setting/@accessoryMicrophoneGain)"/></xsl:call-template>
          <xsl:if test="$limit/@disable_vox_feature != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#VOX Level</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="level"><xsl:with-param name="value" select="$setting/@vox_level"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@disable_ivox_feature != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#iVOX Level</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="level"><xsl:with-param name="value" select="$setting/@ivol_level"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@disable_roger_beep_feature != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Roger Beep Tone</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@rogerBeepTone"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@disable_keypad_beep_feature != '1'">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Keypad Beep</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="flag"><xsl:with-param name="value" select="$setting/@keypadBeep"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
        </table>

        <h2>$#Buttons</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="row"><xsl:with-param name="name">$#Side Button 1</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="button"><xsl:with-param name="value" select="$setting/@side1_but"/></xsl:call-template></xsl:with-param></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Side Button 2</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="button"><xsl:with-param name="value" select="$setting/@side2_but"/></xsl:call-template></xsl:with-param></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Prog 1 (URB)</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="button"><xsl:with-param name="value" select="$setting/@upper_right_but"/></xsl:call-template></xsl:with-param></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Prog 2 (LLB)</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="button"><xsl:with-param name="value" select="$setting/@lower_left_but"/></xsl:call-template></xsl:with-param></xsl:call-template>
          <xsl:call-template name="row"><xsl:with-param name="name">$#Prog 3 (LRB)</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="button"><xsl:with-param name="value" select="$setting/@lower_right_but"/></xsl:call-template></xsl:with-param></xsl:call-template>
          <xsl:if test="$limit/@maxPresetButtons &gt;= 1">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Preset 1 Channel</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="preset"><xsl:with-param name="channel" select="$setting/preset[1]/@channel"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
          <xsl:if test="$limit/@maxPresetButtons &gt;= 2">
            <xsl:call-template name="row"><xsl:with-param name="name">$#Preset 2 Channel</xsl:with-param><xsl:with-param name="value"><xsl:call-template name="preset"><xsl:with-param name="channel" select="$setting/preset[2]/@channel"/></xsl:call-template></xsl:with-param></xsl:call-template>
          </xsl:if>
        </table>

        <h2>$#Channels</h2>
        <table class="chan" width="100%" cellspacing="0" cellpadding="2">
          <!-- eight columns on a printed page: the frequency columns get
               the room a frequency with its index needs on one line, and
               the smaller type (table.chan) keeps the headers whole -->
          <tr>
            <th width="9%">$#Channel #</th>
            <th width="10%">$#Name</th>
            <th width="19%">$#Receive<br/><small>$#Frequency(Index)<br/>$#CT/DCS Code<br/>$#Bandwidth</small></th>
            <th width="19%">$#Transmit<br/><small>$#Frequency(Index)<br/>$#CT/DCS Code<br/>$#Bandwidth</small></th>
            <th width="12%">$#Talkaround Power</th>
            <th width="11%">$#Repeater</th>
            <th width="11%">$#Repeater Power</th>
            <th width="9%">$#Auto Scan</th>
          </tr>
          <xsl:for-each select="$channels">
            <tr>
              <td align="center"><xsl:value-of select="position()"/></td>
              <td><xsl:value-of select="@name"/></td>
              <td>
                <xsl:call-template name="channel-freq"><xsl:with-param name="index" select="@rx_freq_ndx"/><xsl:with-param name="low" select="$rx_freq_start"/><xsl:with-param name="high" select="$rx_freq_end"/></xsl:call-template><br/>
                <xsl:call-template name="code"><xsl:with-param name="value" select="@rx_code"/></xsl:call-template><br/>
                <xsl:call-template name="bw"><xsl:with-param name="value" select="@rx_bw"/></xsl:call-template>
              </td>
              <td>
                <xsl:call-template name="channel-freq"><xsl:with-param name="index" select="@tx_freq_ndx"/><xsl:with-param name="low" select="$tx_freq_start"/><xsl:with-param name="high" select="$tx_freq_end"/></xsl:call-template><br/>
                <xsl:call-template name="code"><xsl:with-param name="value" select="@tx_code"/></xsl:call-template><br/>
                <xsl:call-template name="bw"><xsl:with-param name="value" select="@tx_bw"/></xsl:call-template>
              </td>
              <td><xsl:call-template name="power"><xsl:with-param name="value" select="@talkaround_power"/></xsl:call-template></td>
              <td><xsl:call-template name="flag"><xsl:with-param name="value" select="@repeater"/></xsl:call-template></td>
              <td><xsl:call-template name="power"><xsl:with-param name="value" select="@repeater_power"/></xsl:call-template></td>
              <td><xsl:call-template name="flag"><xsl:with-param name="value" select="@autoScan"/></xsl:call-template></td>
            </tr>
          </xsl:for-each>
        </table>

        <h2>$#Frequency</h2>
        <table class="grid" width="100%" cellspacing="0" cellpadding="2">
          <tr><th>$#Index</th><th>$#Frequency</th><th>$#Bandwidth</th><th>$#Power Level</th></tr>
          <xsl:for-each select="$freqs[@freq != '0']">
            <tr>
              <td align="center"><xsl:value-of select="position()"/></td>
              <td><xsl:call-template name="mhz"><xsl:with-param name="hz" select="@freq"/></xsl:call-template><xsl:text> </xsl:text>$#MHz</td>
              <td>
                <xsl:choose>
                  <xsl:when test="@bandwidth = 0">$#12.5 KHz only</xsl:when>
                  <xsl:when test="@bandwidth = 1">$#25 KHz only</xsl:when>
                  <xsl:when test="@bandwidth = 2">$#User selectable with 12.5 KHz as default</xsl:when>
                  <xsl:when test="@bandwidth = 3">$#User selectable with 25 KHz as default</xsl:when>
                  <xsl:otherwise>N/A</xsl:otherwise>
                </xsl:choose>
              </td>
              <td>
                <xsl:choose>
                  <xsl:when test="@power_level = 0">$#Low power only</xsl:when>
                  <xsl:when test="@power_level = 1">$#High Power only</xsl:when>
                  <xsl:when test="@power_level = 2">$#User selectable with low power as default</xsl:when>
                  <xsl:when test="@power_level = 3">$#User Selectable with high power as default</xsl:when>
                  <xsl:otherwise>N/A</xsl:otherwise>
                </xsl:choose>
              </td>
            </tr>
          </xsl:for-each>
        </table>

        <xsl:if test="$limit/@disable_scan_mode != '1'">
          <h2>$#Scan List</h2>
          <table class="grid" width="100%" cellspacing="0" cellpadding="2">
            <tr><th colspan="4">$#Scan List Member</th></tr>
            <xsl:for-each select="$channels[@in_scanlist != '0']">
              <xsl:if test="position() mod 4 = 1">ABCDEFGTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRTRFCKUOPQWBFDSA</xsl:if>
              <td width="25%"><xsl:value-of select="@name"/></td>
              <xsl:if test="position() mod 4 = 0 or position() = last()"><xsl:text disable-output-escaping="yes">&lt;/tr&gt;</xsl:text></xsl:if>
            </xsl:for-each>
          </table>
        </xsl:if>

        <xsl:if test="$limit/@maxCodes &gt;= 123 and $setting/@CTcode124">
          <h2>$#Customized CT</h2>
          <table class="std" width="100%" cellspacing="0" cellpadding="3">
            <xsl:call-template name="row"><xsl:with-param name="name">$#CT Code 124 (Hz)</xsl:with-param><xsl:with-param name="value" select="format-number($setting/@CTcode124 div 10, '#.0', 'cps')"/></xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#CT Code 125 (Hz)</xsl:with-param><xsl:with-param name="value" select="format-number($setting/@CTcode125 div 10, '#.0', 'cps')"/></xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#CT Code 126 (Hz)</xsl:with-param><xsl:with-param name="value" select="format-number($setting/@CTcode126 div 10, '#.0', 'cps')"/></xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#CT Code 127 (Hz)</xsl:with-param><xsl:with-param name="value" select="format-number($setting/@CTcode127 div 10, '#.0', 'cps')"/></xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#CT Code 128 (Hz)</xsl:with-param><xsl:with-param name="value" select="format-number($setting/@CTcode128 div 10, '#.0', 'cps')"/></xsl:call-template>
            <xsl:call-template name="row"><xsl:with-param name="name">$#CT Code 129 (Hz)</xsl:with-param><xsl:with-param name="value" select="format-number($setting/@CTcode129 div 10, '#.0', 'cps')"/></xsl:call-template>
          </table>
        </xsl:if>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
