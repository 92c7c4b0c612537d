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
    <xsl:value-of select="translate(format-number($hz div 1000000, '0.000000'), '.', '$#SPLITTER')"/>
  </xsl:template>

  <xsl:template name="row">
    <xsl:param name="name"/>
    <xsl:param name="value"/>
    <tr>
      <td class="ItemName" width="45%"><xsl:value-of select="$name"/></td>
      <td class="ItemVal"><xsl:copy-of select="$value"/></td>
    </tr>
  </xsl:template>

  <xsl:template name="code">
    <xsl:param name="value"/>
    <xsl:choose>
      <xsl:when test="$value = '0'">$#No CT/DCS code</xsl:when>
      <xsl:otherwise><xsl:value-of select="$value"/></xsl:otherwise>
    </xsl:choose>
  </xsl:template>

  <!-- The rows of one page, as the program read them from the page's table. -->
  <xsl:template name="page-rows">
    <xsl:param name="page"/>
    <xsl:for-each select="/TavoProfile/report/page[@name = $page]/row">
      <xsl:call-template name="row"><xsl:with-param name="name" select="string(@name)"/><xsl:with-param name="value" select="string(@value)"/></xsl:call-template>
    </xsl:for-each>
  </xsl:template>

  <xsl:template match="/">
    <html>
      <head>
        <title>$#Detailed Report</title>
        <xsl:call-template name="report-style"/>
      </head>
      <body>
        <h1>$#Detailed Report</h1>
        <p class="sub"><xsl:value-of select="$fs/@model"/> &#8211; <xsl:value-of select="/TavoProfile/report/@date"/></p>
        <!-- the dealer's texts, when there are any -->
        <p>ABCDEFGSDGFHWRAZxVBSDFSEWASSX</p>

        <h2>$#Radio Information</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="page-rows"><xsl:with-param name="page" select="'RadioProfile'"/></xsl:call-template>
        </table>

        <h2>$#General Settings</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="page-rows"><xsl:with-param name="page" select="'Settings'"/></xsl:call-template>
        </table>

        <h2>$#Audio Settings</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="page-rows"><xsl:with-param name="page" select="'AudioSettings'"/></xsl:call-template>
        </table>

        <h2>$#Buttons</h2>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <xsl:call-template name="page-rows"><xsl:with-param name="page" select="'Buttons'"/></xsl:call-template>
        </table>

        <h2>$#Channels</h2>
        <!-- the columns the channel page shows for this model, under the
             page's captions (the program wrote them and the cells' texts) -->
        <xsl:variable name="cp" select="/TavoProfile/report/channel_page"/>
        <table class="chan" width="100%" cellspacing="0" cellpadding="2">
          <!-- the header row repeats on every printed page -->
          <thead>
            <tr>
              <th width="7%">$#Channel #</th>
              <th width="11%"><xsl:value-of select="$cp/@name_title"/></th>
              <th width="22%"><xsl:value-of select="$cp/@receive_title"/><br/><xsl:value-of select="$cp/@frequency_title"/><br/><xsl:value-of select="$cp/@code_title"/><br/><xsl:value-of select="$cp/@bandwidth_title"/></th>
              <xsl:if test="$cp/@power = '1'"><th width="9%"><xsl:value-of select="$cp/@power_title"/></th></xsl:if>
              <xsl:if test="$cp/@transmit = '1'"><th width="22%"><xsl:value-of select="$cp/@transmit_title"/><br/><xsl:value-of select="$cp/@frequency_title"/><br/><xsl:value-of select="$cp/@code_title"/><br/><xsl:value-of select="$cp/@bandwidth_title"/></th></xsl:if>
              <xsl:if test="$cp/@repeater_power = '1'"><th width="9%"><xsl:value-of select="$cp/@repeater_power_title"/></th></xsl:if>
              <xsl:if test="$cp/@scramble = '1'"><th width="8%"><xsl:value-of select="$cp/@scramble_title"/></th></xsl:if>
              <xsl:if test="$cp/@repeater = '1'"><th width="8%"><xsl:value-of select="$cp/@repeater_title"/></th></xsl:if>
              <xsl:if test="$cp/@auto_scan = '1'"><th width="8%"><xsl:value-of select="$cp/@auto_scan_title"/></th></xsl:if>
            </tr>
          </thead>
          <xsl:for-each select="$channels">
            <tr>
              <td align="center"><xsl:value-of select="position()"/></td>
              <td><xsl:value-of select="@name"/></td>
              <td>
                <xsl:value-of select="@report_rx_freq"/><br/>
                <xsl:call-template name="code"><xsl:with-param name="value" select="@report_rx_code"/></xsl:call-template><br/>
                <xsl:value-of select="@report_rx_bw"/>
              </td>
              <xsl:if test="$cp/@power = '1'"><td><xsl:value-of select="@report_power"/></td></xsl:if>
              <xsl:if test="$cp/@transmit = '1'">
                <td>
                  <xsl:value-of select="@report_tx_freq"/><br/>
                  <xsl:call-template name="code"><xsl:with-param name="value" select="@report_tx_code"/></xsl:call-template><br/>
                  <xsl:value-of select="@report_tx_bw"/>
                </td>
              </xsl:if>
              <xsl:if test="$cp/@repeater_power = '1'"><td><xsl:value-of select="@report_repeater_power"/></td></xsl:if>
              <xsl:if test="$cp/@scramble = '1'"><td><xsl:value-of select="@report_scramble"/></td></xsl:if>
              <xsl:if test="$cp/@repeater = '1'"><td><xsl:value-of select="@report_repeater"/></td></xsl:if>
              <xsl:if test="$cp/@auto_scan = '1'"><td><xsl:value-of select="@report_auto_scan"/></td></xsl:if>
            </tr>
          </xsl:for-each>
        </table>

        <h2>$#Frequency</h2>
        <table class="grid" width="100%" cellspacing="0" cellpadding="2">
          <thead><tr><th>$#Index</th><th>$#Frequency</th><th>$#Bandwidth</th><th>$#Power Level</th></tr></thead>
          <!-- every slot under its own index, as the frequency page lists them -->
          <xsl:for-each select="$freqs">
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
                <!-- as the rules store it: 0 high only, 1 low only, 2 and 3 selectable -->
                <xsl:choose>
                  <xsl:when test="@power_level = 0">$#High Power only</xsl:when>
                  <xsl:when test="@power_level = 1">$#Low power only</xsl:when>
                  <xsl:when test="@power_level = 2">$#User Selectable with high power as default</xsl:when>
                  <xsl:when test="@power_level = 3">$#User selectable with low power as default</xsl:when>
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
