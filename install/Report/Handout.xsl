<?xml version="1.0" encoding="UTF-8"?>
<!--
  Customer handout: what the radio's controls do, for the person who
  carries it. Labels are written as "$#" keys that the program replaces
  with the texts of the current language; the dealer footer is put in
  place of the footer placeholder. Every profile value goes through
  xsl:value-of, so it is escaped on output.
-->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform">
  <xsl:include href="ReportStyle.xsl"/>
  <xsl:output method="html" version="4.0" encoding="UTF-8" indent="no"/>

  <xsl:variable name="model" select="/TavoProfile/factory_setting/@model"/>
  <xsl:variable name="setting" select="/TavoProfile/setting"/>
  <xsl:variable name="display" select="translate(substring($model, 3, 1), 'd', 'D') = 'D'"/>
  <xsl:variable name="report" select="/TavoProfile/report"/>
  <!-- the programmable buttons beyond the side buttons, as the Buttons page names them -->
  <xsl:variable name="programmable" select="$report/button[@attribute != 'side1_but' and @attribute != 'side2_but']"/>

  <!-- What a button was programmed to do, as the Buttons page names it,
       marked when it is the button's default (the program wrote it). -->
  <xsl:template name="function">
    <xsl:param name="button"/>
    <xsl:value-of select="/TavoProfile/report/button[@attribute = $button]/@handout"/>
  </xsl:template>

  <!-- One numbered part of the radio picture (the number is marked on it). -->
  <xsl:template name="part">
    <xsl:param name="n"/>
    <xsl:param name="name"/>
    <xsl:param name="what"/>
    <tr>
      <td width="24" valign="middle" class="Num"><xsl:value-of select="$n"/></td>
      <xsl:choose>
        <xsl:when test="string($what) = ''">
          <td class="ItemName" valign="middle" colspan="2"><xsl:value-of select="$name"/></td>
        </xsl:when>
        <xsl:otherwise>
          <td class="ItemName" valign="middle"><xsl:value-of select="$name"/></td>
          <td class="ItemVal" valign="middle"><xsl:copy-of select="$what"/></td>
        </xsl:otherwise>
      </xsl:choose>
    </tr>
  </xsl:template>

  <xsl:template match="/">
    <html>
      <head>
        <title>$#Customer Handout</title>
        <xsl:call-template name="report-style"/>
      </head>
      <body>
        <img src="HandoutHeader.jpg" width="100%" alt=""/>
        <h1>$#Customer Handout</h1>
        <table class="std" width="100%" cellspacing="0" cellpadding="3">
          <tr>
            <td class="ItemName" width="20%">$#Model</td>
            <td class="ItemVal" width="30%">
              <xsl:choose>
                <xsl:when test="starts-with($model, 'O')">$#Olvan</xsl:when>
                <xsl:when test="starts-with($model, 'Z')">$#Zerva</xsl:when>
                <xsl:when test="starts-with($model, 'P')">$#Pemba</xsl:when>
                <xsl:when test="starts-with($model, 'S')">$#Sorra</xsl:when>
                <xsl:when test="starts-with($model, 'T')">$#Tulka</xsl:when>
              </xsl:choose>
            </td>
            <td class="ItemName" width="20%">$#Model Number</td>
            <td class="ItemVal" width="30%"><xsl:value-of select="$model"/></td>
          </tr>
          <tr>
            <td class="ItemName"><xsl:value-of select="$report/@serial_title"/></td>
            <td class="ItemVal"><xsl:value-of select="$report/@serial"/></td>
            <td class="ItemName"><xsl:value-of select="$report/@firmware_title"/></td>
            <td class="ItemVal"><xsl:value-of select="$report/version/@firmware"/></td>
          </tr>
          <tr>
            <td class="ItemName"><xsl:value-of select="$report/@date_title"/></td>
            <td class="ItemVal" colspan="3"><xsl:value-of select="$report/@date"/></td>
          </tr>
        </table>
        <br/>
        <table width="100%" cellspacing="0" cellpadding="4" border="0">
          <tr>
            <td width="36%" valign="top" align="center">
              <!-- the family's own picture with the parts marked (the
                   program drew it), else the generic one -->
              <xsl:choose>
                <xsl:when test="string($report/@picture) != ''"><img src="{$report/@picture}" width="220" height="440" alt=""/></xsl:when>
                <xsl:when test="$display"><img src="Display.jpg" width="220" height="440" alt=""/></xsl:when>
                <xsl:otherwise><img src="Rotary.jpg" width="220" height="440" alt=""/></xsl:otherwise>
              </xsl:choose>
            </td>
            <td width="64%" valign="top">
              <table class="std" width="100%" cellspacing="0" cellpadding="3">
                <xsl:choose>
                  <xsl:when test="$display">
                    <xsl:call-template name="part"><xsl:with-param name="n" select="1"/><xsl:with-param name="name">$#Power/Volume Knob</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="2"/><xsl:with-param name="name">$#Tri-Color LED</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="3"/><xsl:with-param name="name">$#Push-to-Talk (PTT)</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part">
                      <xsl:with-param name="n" select="4"/><xsl:with-param name="name">$#Side Button 1 (SB1)</xsl:with-param>
                      <xsl:with-param name="what"><xsl:call-template name="function"><xsl:with-param name="button" select="'side1_but'"/></xsl:call-template></xsl:with-param>
                    </xsl:call-template>
                    <xsl:call-template name="part">
                      <xsl:with-param name="n" select="5"/><xsl:with-param name="name">$#Side Button 2 (SB2)</xsl:with-param>
                      <xsl:with-param name="what"><xsl:call-template name="function"><xsl:with-param name="button" select="'side2_but'"/></xsl:call-template></xsl:with-param>
                    </xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="6"/><xsl:with-param name="name">$#Up Button:</xsl:with-param><xsl:with-param name="what">$#Scroll up the menu items/change channel</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="7"/><xsl:with-param name="name">$#Down Button:</xsl:with-param><xsl:with-param name="what">$#Scroll down the menu items/change channel</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="8"/><xsl:with-param name="name">$#Menu Button:</xsl:with-param><xsl:with-param name="what">$#Menu Mode</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="9"/><xsl:with-param name="name">$#Microphone</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="10"/><xsl:with-param name="name">$#Accessory Jack</xsl:with-param></xsl:call-template>
                    <xsl:for-each select="$programmable">
                      <xsl:call-template name="part">
                        <xsl:with-param name="n" select="10 + position()"/><xsl:with-param name="name" select="string(@name)"/>
                        <xsl:with-param name="what" select="string(@handout)"/>
                      </xsl:call-template>
                    </xsl:for-each>
                  </xsl:when>
                  <xsl:otherwise>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="1"/><xsl:with-param name="name">$#Power/Volume Knob</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="2"/><xsl:with-param name="name">$#Channel Selector</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="3"/><xsl:with-param name="name">$#Tri-Color LED</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="4"/><xsl:with-param name="name">$#Push-to-Talk (PTT)</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part">
                      <xsl:with-param name="n" select="5"/><xsl:with-param name="name">$#Side Button 1 (SB1)</xsl:with-param>
                      <xsl:with-param name="what"><xsl:call-template name="function"><xsl:with-param name="button" select="'side1_but'"/></xsl:call-template></xsl:with-param>
                    </xsl:call-template>
                    <xsl:call-template name="part">
                      <xsl:with-param name="n" select="6"/><xsl:with-param name="name">$#Side Button 2 (SB2)</xsl:with-param>
                      <xsl:with-param name="what"><xsl:call-template name="function"><xsl:with-param name="button" select="'side2_but'"/></xsl:call-template></xsl:with-param>
                    </xsl:call-template>
                    <!-- the top button under the Buttons page's name, when the page has it -->
                    <xsl:variable name="top" select="$report/button[@attribute = 'upper_right_but']"/>
                    <xsl:choose>
                      <xsl:when test="$top">
                        <xsl:call-template name="part">
                          <xsl:with-param name="n" select="7"/><xsl:with-param name="name" select="string($top/@name)"/>
                          <xsl:with-param name="what" select="string($top/@handout)"/>
                        </xsl:call-template>
                      </xsl:when>
                      <xsl:otherwise>
                        <xsl:call-template name="part"><xsl:with-param name="n" select="7"/><xsl:with-param name="name">$#Up Button:</xsl:with-param></xsl:call-template>
                      </xsl:otherwise>
                    </xsl:choose>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="8"/><xsl:with-param name="name">$#Microphone</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="9"/><xsl:with-param name="name">$#Accessory Jack</xsl:with-param></xsl:call-template>
                    <xsl:call-template name="part"><xsl:with-param name="n" select="10"/><xsl:with-param name="name">$#Spring Action Belt Clip</xsl:with-param></xsl:call-template>
                    <!-- the battery the General Settings page selects -->
                    <xsl:call-template name="part"><xsl:with-param name="n" select="11"/><xsl:with-param name="name" select="string($report/@battery)"/></xsl:call-template>
                  </xsl:otherwise>
                </xsl:choose>
              </table>
              <br/>
              <table class="grid" width="100%" cellspacing="0" cellpadding="2">
                <tr><th width="20%">#</th><th>$#Channel Selector</th></tr>
                <xsl:for-each select="/TavoProfile/channels/channel[position() &lt;= /TavoProfile/setting/@numberChannels]">
                  <tr>
                    <td class="ItemName" align="center"><xsl:value-of select="position()"/></td>
                    <td class="ItemVal"><xsl:value-of select="@name"/></td>
                  </tr>
                </xsl:for-each>
              </table>
            </td>
          </tr>
        </table>
        <br/>
        <table width="100%" cellspacing="0" cellpadding="0" border="0"><tr><td>
          <p>ABCDEFGSDGFHWRAZxVBSDFSEWASSX</p>
        </td></tr></table>
        <img src="HandoutFooter.jpg" width="100%" alt=""/>
      </body>
    </html>
  </xsl:template>
</xsl:stylesheet>
