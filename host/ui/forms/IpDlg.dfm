object IpAddrDlg: TIpAddrDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Send IP addresses to device'
  ClientHeight = 171
  ClientWidth = 329
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Tahoma'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  TextHeight = 13
  object QxLabel1: TQxLabel
    Left = 16
    Top = 19
    Width = 112
    Height = 13
    Caption = 'Bootloader IP Address'
  end
  object QxLabel2: TQxLabel
    Left = 16
    Top = 51
    Width = 121
    Height = 13
    Caption = 'Bootloader Subnet Mask'
  end
  object QxLabel3: TQxLabel
    Left = 16
    Top = 83
    Width = 78
    Height = 13
    Caption = 'DNS IP Address'
  end
  object BL_IPAddrEdit: TIPAddress
    Left = 160
    Top = 16
    Width = 150
    Height = 21
    Address = '192.168.1.5'
    TabOrder = 0
  end
  object BL_SubnetMask_Edit: TIPAddress
    Left = 160
    Top = 48
    Width = 150
    Height = 21
    Address = '255.255.255.128'
    TabOrder = 1
  end
  object BL_DNS_IPAddrEdit: TIPAddress
    Left = 160
    Top = 80
    Width = 150
    Height = 21
    Address = '192.168.1.1'
    TabOrder = 2
  end
  object BL_UseDHCPChk: TQxCheckBox
    Left = 16
    Top = 112
    Width = 121
    Height = 17
    Caption = 'BL_UseDHCPChk'
    Checked = True
    State = cbChecked
    TabOrder = 3
  end
  object OkBtn: TQxBitBtn
    Left = 152
    Top = 138
    Width = 75
    Height = 25
    Kind = bkOK
    TabOrder = 4
  end
  object CancelBtn: TQxBitBtn
    Left = 240
    Top = 138
    Width = 75
    Height = 25
    Kind = bkCancel
    TabOrder = 5
  end
end
