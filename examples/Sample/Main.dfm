object frmMain: TfrmMain
  Left = 228
  Top = 132
  Width = 640
  Height = 452
  Caption = 'Stock Keeper'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  Menu = mnuMain
  OldCreateOrder = False
  Position = poDefaultPosOnly
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  PixelsPerInch = 96
  TextHeight = 13
  object tlbMain: TToolBar
    Left = 0
    Top = 0
    Width = 632
    Height = 29
    Caption = 'tlbMain'
    Flat = True
    Images = imlToolbar
    TabOrder = 0
    object tbnOpen: TToolButton
      Left = 0
      Top = 0
      Hint = 'Open a stock list'
      Caption = 'tbnOpen'
      ImageIndex = 0
      OnClick = mnuFileOpenClick
    end
    object tbnSave: TToolButton
      Left = 23
      Top = 0
      Hint = 'Save the stock list'
      Caption = 'tbnSave'
      ImageIndex = 1
      OnClick = mnuFileSaveClick
    end
    object tbnSep1: TToolButton
      Left = 46
      Top = 0
      Width = 8
      Caption = 'tbnSep1'
      ImageIndex = 2
      Style = tbsSeparator
    end
    object tbnAdd: TToolButton
      Left = 54
      Top = 0
      Hint = 'Add an item'
      Caption = 'tbnAdd'
      ImageIndex = 3
      OnClick = mnuItemAddClick
    end
    object tbnDelete: TToolButton
      Left = 77
      Top = 0
      Hint = 'Delete the selected item'
      Caption = 'tbnDelete'
      Enabled = False
      ImageIndex = 4
      OnClick = mnuItemDeleteClick
    end
  end
  object pnlSearch: TPanel
    Left = 0
    Top = 29
    Width = 632
    Height = 33
    Align = alTop
    BevelOuter = bvNone
    TabOrder = 1
    object lblSearch: TLabel
      Left = 8
      Top = 10
      Width = 37
      Height = 13
      Caption = '&Search:'
      FocusControl = edtSearch
    end
    object edtSearch: TEdit
      Left = 56
      Top = 6
      Width = 209
      Height = 21
      TabOrder = 0
      OnChange = edtSearchChange
    end
  end
  object lvStock: TListView
    Left = 0
    Top = 62
    Width = 632
    Height = 324
    Align = alClient
    Columns = <
      item
        Caption = 'Code'
        Width = 80
      end
      item
        Caption = 'Description'
        Width = 260
      end
      item
        Alignment = taRightJustify
        Caption = 'Quantity'
        Width = 90
      end
      item
        Alignment = taRightJustify
        Caption = 'Value'
        Width = 90
      end>
    HideSelection = False
    ReadOnly = True
    RowSelect = True
    SmallImages = imlToolbar
    TabOrder = 2
    ViewStyle = vsReport
    OnColumnClick = lvStockColumnClick
    OnSelectItem = lvStockSelectItem
  end
  object sbrMain: TStatusBar
    Left = 0
    Top = 386
    Width = 632
    Height = 20
    Panels = <
      item
        Width = 400
      end
      item
        Width = 80
      end>
    SimplePanel = False
  end
  object mnuMain: TMainMenu
    Images = imlToolbar
    Left = 576
    Top = 72
    object mnuFile: TMenuItem
      Caption = '&File'
      object mnuFileNew: TMenuItem
        Caption = '&New'
        ShortCut = 16462
        OnClick = mnuFileNewClick
      end
      object mnuFileOpen: TMenuItem
        Caption = '&Open...'
        ImageIndex = 0
        ShortCut = 16463
        OnClick = mnuFileOpenClick
      end
      object mnuFileSave: TMenuItem
        Caption = '&Save'
        ImageIndex = 1
        ShortCut = 16467
        OnClick = mnuFileSaveClick
      end
      object mnuFileSaveAs: TMenuItem
        Caption = 'Save &As...'
        OnClick = mnuFileSaveAsClick
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object mnuFileExit: TMenuItem
        Caption = 'E&xit'
        OnClick = mnuFileExitClick
      end
    end
    object mnuItem: TMenuItem
      Caption = '&Item'
      object mnuItemAdd: TMenuItem
        Caption = '&Add...'
        ImageIndex = 3
        ShortCut = 45
        OnClick = mnuItemAddClick
      end
      object mnuItemDelete: TMenuItem
        Caption = '&Delete'
        ImageIndex = 4
        ShortCut = 46
        OnClick = mnuItemDeleteClick
      end
      object mnuItemReceive: TMenuItem
        Caption = '&Receive...'
        ShortCut = 16466
        OnClick = mnuItemReceiveClick
      end
      object mnuItemIssue: TMenuItem
        Caption = '&Issue...'
        ShortCut = 16457
        OnClick = mnuItemIssueClick
      end
    end
    object mnuTools: TMenuItem
      Caption = '&Tools'
      object mnuToolsOptions: TMenuItem
        Caption = '&Options...'
        OnClick = mnuToolsOptionsClick
      end
    end
    object mnuHelp: TMenuItem
      Caption = '&Help'
      object mnuHelpAbout: TMenuItem
        Caption = '&About Stock Keeper...'
        OnClick = mnuHelpAboutClick
      end
    end
  end
  object dlgOpen: TOpenDialog
    DefaultExt = 'csv'
    Filter = 'Stock lists (*.csv)|*.csv|All files (*.*)|*.*'
    Options = [ofHideReadOnly, ofFileMustExist, ofEnableSizing]
    Title = 'Open stock list'
    Left = 544
    Top = 72
  end
  object dlgSave: TSaveDialog
    DefaultExt = 'csv'
    Filter = 'Stock lists (*.csv)|*.csv|All files (*.*)|*.*'
    Options = [ofOverwritePrompt, ofHideReadOnly, ofEnableSizing]
    Title = 'Save stock list'
    Left = 512
    Top = 72
  end
  object imlToolbar: TImageList
    Left = 480
    Top = 72
  end
end
